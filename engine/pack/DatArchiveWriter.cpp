#include "engine/pack/DatArchiveWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <memory>

#include "common/dat/DatFormat.h"
#include "common/dat/DatRecord.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"

namespace engine {
namespace {

constexpr qint64 Largest = std::numeric_limits<int32_t>::max();

[[noreturn]] void tooLarge() {
  throw ArchiveWriteError(QStringLiteral("the archive would pass 2 GiB, the most its 32-bit offsets can address"));
}

constexpr qint64 CopyPiece = 1 << 20;

// The bytes through memory, a piece at a time, where the file systems do not
// copy them themselves. 0 or the system's error.
int copyThroughMemory(int from, qint64 offset, int to, qint64 size) {
  const auto piece = std::make_unique_for_overwrite<char[]>(CopyPiece);
  while (size > 0) {
    const ssize_t got = ::pread(from, piece.get(), static_cast<size_t>(std::min(size, CopyPiece)), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return EIO;  // the file is shorter than it was
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(to, piece.get() + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return errno;
      done += put;
    }
    offset += got;
    size -= got;
  }
  return 0;
}

// copy_file_range, which may share or copy the blocks inside the kernel.
int copyRange(int from, qint64 offset, int to, qint64 size) {
  while (size > 0) {
    loff_t in = offset;
    const ssize_t done = ::copy_file_range(from, &in, to, nullptr, static_cast<size_t>(size), 0);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return copyThroughMemory(from, offset, to, size);
    offset += done;
    size -= done;
  }
  return 0;
}

}  // namespace

DatArchiveWriter::DatArchiveWriter(platform::SafeFile& out) : out_(out) {}

void DatArchiveWriter::WriteBody(const char* data, qint64 size) {
  if (written_ + size > Largest) tooLarge();
  write(data, size);
}

void DatArchiveWriter::CopyBodies(int from, qint64 offset, qint64 size) {
  if (written_ + size > Largest) tooLarge();
  if (const int error = copyRange(from, offset, out_.Descriptor(), size))
    throw ArchiveWriteError(platform::SystemReason(error));
  written_ += size;
}

void DatArchiveWriter::DropBody() {
  if (const int error = out_.Truncate(bodyStart_)) throw ArchiveWriteError(platform::SystemReason(error));
  written_ = bodyStart_;
}

void DatArchiveWriter::EndEntry(const QByteArray& name, bool compressed, qint64 realSize) {
  EndCopiedEntry(name, compressed, realSize, written_ - bodyStart_);
}

void DatArchiveWriter::EndCopiedEntry(const QByteArray& name, bool compressed, qint64 realSize,
                                      qint64 packedSize) {
  if (realSize > Largest) tooLarge();
  dat::DirRecord record;
  record.FilenameSize = static_cast<int32_t>(name.size());
  record.Filename = name;
  record.Type = compressed ? 1 : 0;
  record.RealSize = static_cast<int32_t>(realSize);
  record.PackedSize = static_cast<int32_t>(packedSize);
  record.Offset = static_cast<int32_t>(bodyStart_);
  recordStarts_.push_back(records_.size());
  dat::AppendRecord(records_, record);
  ++count_;
  bodyStart_ += packedSize;
}

void DatArchiveWriter::Finish(const std::vector<int>& recordOrder) {
  const qint64 treeSize = 4 + records_.size();
  const qint64 dataSize = written_ + treeSize + dat::TrailerSize;
  if (dataSize > Largest) tooLarge();
  if (!recordOrder.empty()) {
    QByteArray ordered;
    ordered.reserve(records_.size());
    recordStarts_.push_back(records_.size());
    for (const int entry : recordOrder)
      ordered.append(records_.constData() + recordStarts_[entry], recordStarts_[entry + 1] - recordStarts_[entry]);
    records_ = std::move(ordered);
  }
  QByteArray tail;
  dat::AppendInt32LE(tail, count_);
  write(tail.constData(), tail.size());
  write(records_.constData(), records_.size());
  tail.clear();
  dat::AppendInt32LE(tail, static_cast<int32_t>(treeSize));
  dat::AppendInt32LE(tail, static_cast<int32_t>(dataSize));
  write(tail.constData(), tail.size());
}

void DatArchiveWriter::write(const char* data, qint64 size) {
  if (const int error = out_.Write(data, size)) throw ArchiveWriteError(platform::SystemReason(error));
  written_ += size;
}

}  // namespace engine
