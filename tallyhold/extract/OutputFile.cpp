#include "tallyhold/extract/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <utility>

#include "tallyhold/extract/ExtractErrors.h"

namespace tallyhold {
namespace {

constexpr int CreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
constexpr mode_t CreateMode = 0666;  // narrowed by the umask, as for any new file

std::string temporaryName(const std::string& folder) {
  return folder + "/.tallyhold-" +
         QByteArray::number(QRandomGenerator::global()->generate64(), 36).toStdString() + ".part";
}

}  // namespace

OutputFile::OutputFile(const std::string& folder, const std::string& name, bool hidden)
    : final_(folder + "/" + name) {
  openFresh(hidden);
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !written_.empty()) ::unlink(written_.c_str());
}

void OutputFile::openFresh(bool hidden) {
  if (!hidden) {
    fd_ = ::open(final_.c_str(), CreateFlags, CreateMode);
    if (fd_ >= 0) {
      written_ = final_;
      return;
    }
    if (errno != EEXIST) fail(errno);
  }
  openTemporary();
}

// O_EXCL never opens a file that exists, so the temporary is always our own.
// A name that is taken but not replaceable fails now, before any byte is read.
void OutputFile::openTemporary() {
  struct stat existing {};
  if (::lstat(final_.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) fail(EISDIR);
    if (S_ISREG(existing.st_mode) && ::access(final_.c_str(), W_OK) != 0) fail(errno);
  }
  const std::string folder = final_.substr(0, final_.rfind('/'));
  do {
    written_ = temporaryName(folder);
    fd_ = ::open(written_.c_str(), CreateFlags, CreateMode);
  } while (fd_ < 0 && errno == EEXIST);
  if (fd_ < 0) {
    written_.clear();
    fail(errno);
  }
}

void OutputFile::Write(const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t done = ::write(fd_, data, static_cast<size_t>(size));
    if (done < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    data += done;
    size -= done;
  }
}

// rename replaces a symbolic link standing under the name rather than following it.
void OutputFile::Commit() {
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) fail(errno);
  if (written_ != final_ && ::rename(written_.c_str(), final_.c_str()) != 0) fail(errno);
  committed_ = true;
}

QString OutputFile::Path() const { return QFile::decodeName(QByteArray::fromStdString(final_)); }

void OutputFile::fail(int systemError) const { throw DestinationError(Path(), systemError); }

}  // namespace tallyhold
