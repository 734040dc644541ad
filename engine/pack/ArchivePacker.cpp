#include "engine/pack/ArchivePacker.h"

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <deque>
#include <memory>

#include "common/platform/RegularFile.h"
#include "common/platform/SystemReason.h"
#include "common/platform/WorkerPool.h"
#include "engine/pack/BodyCompressor.h"
#include "engine/pack/DatArchiveWriter.h"

namespace engine {
namespace {

constexpr qint64 ReadChunk = 1 << 20;
// A bound on the jobs in flight beside their bytes: many empty files hold no
// bytes but a job each.
constexpr std::size_t JobsPerWorker = 64;

// A file that could not be read; the text is the reason.
struct ReadFailure {
  QString reason;
};

// A stop asked for while a large file was read: the run ends there.
struct StopInsideFile {};

// An input file opened by descriptor, closed when it goes.
class InputReader {
 public:
  InputReader(const platform::FolderHandle& folder, const std::string& name) {
    const platform::OpenedFile opened = platform::OpenRegularFileAt(folder, name);
    if (opened.fd < 0) throw ReadFailure{opened.refusal};
    fd_ = opened.fd;
  }
  ~InputReader() { ::close(fd_); }
  InputReader(const InputReader&) = delete;
  InputReader& operator=(const InputReader&) = delete;

  // Up to size bytes; fewer only at the end of the file.
  qint64 Read(char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
      const ssize_t got = ::read(fd_, data + done, static_cast<size_t>(size - done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw ReadFailure{platform::SystemReason(errno)};
      if (got == 0) break;
      done += got;
    }
    return done;
  }
  void Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) throw ReadFailure{platform::SystemReason(errno)};
  }

 private:
  int fd_ = -1;
};

// One file on its way from a worker: its body as the archive takes it.
struct Job {
  const InputFile* file = nullptr;
  std::shared_ptr<const platform::FolderHandle> folder;
  QByteArray body;
  qint64 realSize = 0;
  bool compressed = false;
  QString failure;
};

class Packer {
 public:
  Packer(const InputTree& tree, const std::vector<const platform::FolderHandle*>& roots,
         const PackOptions& options, DatArchiveWriter& writer, const std::function<void(qint64)>& packed)
      : tree_(tree),
        roots_(roots),
        options_(options),
        writer_(writer),
        packed_(packed),
        compressors_(options.workers) {}

  PackResult Run(const std::function<bool()>& stopRequested);

 private:
  std::shared_ptr<const platform::FolderHandle> folderOf(const InputFile& file);
  bool compresses(const InputFile& file) const {
    return options_.level > 0 && (options_.store.IsEmpty() || !options_.store.Matches(file.name));
  }
  void readWhole(Job& job, int worker);
  void finishOldest(platform::WorkerPool& pool);
  void streamLarge(const InputFile& file, const std::function<bool()>& stopRequested);
  qint64 copyStored(InputReader& input, const std::function<bool()>& stopRequested);  // the bytes copied
  void failed(const InputFile& file, const QString& reason);
  void beforeBody(const InputFile& file) const {
    if (options_.beforeBody) options_.beforeBody(file);
  }

  const InputTree& tree_;
  const std::vector<const platform::FolderHandle*>& roots_;
  const PackOptions& options_;
  DatArchiveWriter& writer_;
  const std::function<void(qint64)>& packed_;
  std::vector<std::unique_ptr<WholeBodyCompressor>> compressors_;  // one for each worker
  std::deque<std::unique_ptr<Job>> jobs_;
  qint64 flightBytes_ = 0;
  int folderIndex_ = -1;
  std::shared_ptr<const platform::FolderHandle> folder_;
  int folderError_ = 0;
  PackResult result_;
};

PackResult Packer::Run(const std::function<bool()>& stopRequested) {
  platform::WorkerPool pool(options_.workers);
  for (const InputFile& file : tree_.files) {
    if (stopRequested()) {
      result_.stopped = true;
      return result_;
    }
    const std::shared_ptr<const platform::FolderHandle> folder = folderOf(file);
    if (!folder) continue;
    if (file.size > WholeLimit) {
      while (!jobs_.empty()) finishOldest(pool);
      try {
        streamLarge(file, stopRequested);
      } catch (const StopInsideFile&) {
        result_.stopped = true;
        return result_;
      }
      continue;
    }
    while (!jobs_.empty() && (flightBytes_ + file.size > FlightBytes * options_.workers ||
                              jobs_.size() >= JobsPerWorker * options_.workers))
      finishOldest(pool);
    auto job = std::make_unique<Job>();
    job->file = &file;
    job->folder = folder;
    Job& running = *job;
    jobs_.push_back(std::move(job));
    flightBytes_ += file.size;
    pool.Submit([this, &running](int worker) { readWhole(running, worker); });
  }
  // The last files in flight take a while too: a stop meanwhile still counts.
  while (!jobs_.empty()) {
    if (stopRequested()) {
      result_.stopped = true;
      return result_;
    }
    finishOldest(pool);
  }
  return result_;
}

// The folders come one after the other in the tree's order, each opened once
// from the input folder, level by level, never through a link.
// A folder that cannot be opened fails each of its files.
std::shared_ptr<const platform::FolderHandle> Packer::folderOf(const InputFile& file) {
  if (file.folder != folderIndex_) {
    folderIndex_ = file.folder;
    folder_.reset();
    platform::FolderHandle current;
    const InputFolder& folder = tree_.folders[file.folder];
    folderError_ = roots_[folder.root]->OpenChild(".", false, current);
    for (const std::string& name : folder.path) {
      platform::FolderHandle next;
      if (!folderError_) folderError_ = current.OpenChild(name, false, next);
      current = std::move(next);
    }
    if (!folderError_) folder_ = std::make_shared<const platform::FolderHandle>(std::move(current));
  }
  if (folderError_) failed(file, platform::SystemReason(folderError_));
  return folder_;
}

// On a worker's thread: nothing here touches the archive.
void Packer::readWhole(Job& job, int worker) {
  try {
    InputReader input(*job.folder, job.file->diskName);
    // One byte more than the walk saw, to find a file that grew meanwhile.
    QByteArray data(job.file->size + 1, Qt::Uninitialized);
    qint64 got = input.Read(data.data(), data.size());
    if (got == data.size()) {
      data.resize(WholeLimit + 1);
      got += input.Read(data.data() + got, data.size() - got);
    }
    if (got > WholeLimit) throw ReadFailure{QStringLiteral("it grew too large while the archive was written")};
    data.resize(got);
    job.realSize = got;
    if (compresses(*job.file)) {
      std::unique_ptr<WholeBodyCompressor>& compressor = compressors_[worker];
      if (!compressor) compressor = std::make_unique<WholeBodyCompressor>(options_.level);
      job.compressed = compressor->Compress(data, job.body);
    }
    if (!job.compressed) job.body = std::move(data);
  } catch (const ReadFailure& failure) {
    job.failure = failure.reason;
  } catch (const std::bad_alloc&) {
    job.failure = QStringLiteral("there was not enough memory to pack it");
  }
}

void Packer::finishOldest(platform::WorkerPool& pool) {
  pool.TakeOldest();
  const std::unique_ptr<Job> job = std::move(jobs_.front());
  jobs_.pop_front();
  flightBytes_ -= job->file->size;
  if (!job->failure.isEmpty()) return failed(*job->file, job->failure);
  beforeBody(*job->file);
  writer_.WriteBody(job->body.constData(), job->body.size());
  writer_.EndEntry(job->file->name, job->compressed, job->realSize);
  packed_(job->realSize);
}

// Compressed in pieces as it is read, and stored after all when its stream
// turns out no smaller. A stop is taken between pieces, so that it never
// waits for a whole file of gigabytes.
void Packer::streamLarge(const InputFile& file, const std::function<bool()>& stopRequested) {
  beforeBody(file);
  try {
    InputReader input(*folder_, file.diskName);
    qint64 realSize = 0;
    bool compressed = compresses(file);
    if (compressed) {
      StreamingBodyCompressor compressor(options_.level,
                                         [this](const char* data, qint64 size) { writer_.WriteBody(data, size); });
      QByteArray piece(ReadChunk, Qt::Uninitialized);
      while (const qint64 got = input.Read(piece.data(), piece.size())) {
        if (stopRequested()) throw StopInsideFile{};
        compressor.Feed(piece.constData(), got);
        realSize += got;
      }
      compressor.Finish();
      compressed = writer_.Size() - writer_.BodyStart() < realSize;
    }
    if (!compressed) {
      writer_.DropBody();
      input.Rewind();
      realSize = copyStored(input, stopRequested);
    }
    writer_.EndEntry(file.name, compressed, realSize);
    packed_(realSize);
  } catch (const ReadFailure& failure) {
    writer_.DropBody();
    failed(file, failure.reason);
  }
}

qint64 Packer::copyStored(InputReader& input, const std::function<bool()>& stopRequested) {
  qint64 copied = 0;
  QByteArray piece(ReadChunk, Qt::Uninitialized);
  while (const qint64 got = input.Read(piece.data(), piece.size())) {
    if (stopRequested()) throw StopInsideFile{};
    writer_.WriteBody(piece.constData(), got);
    copied += got;
  }
  return copied;
}

void Packer::failed(const InputFile& file, const QString& reason) {
  result_.failed << tree_.folders[file.folder].shown + '/' +
                        QFile::decodeName(QByteArray::fromStdString(file.diskName)) + ": " + reason;
}

}  // namespace

PackResult PackFiles(const InputTree& tree, const std::vector<const platform::FolderHandle*>& roots,
                     const PackOptions& options, DatArchiveWriter& writer,
                     const std::function<void(qint64)>& packed, const std::function<bool()>& stopRequested) {
  return Packer(tree, roots, options, writer, packed).Run(stopRequested);
}

}  // namespace engine
