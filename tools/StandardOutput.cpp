#include "tools/StandardOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <cerrno>
#include <utility>

#include "tools/ToolCommand.h"

namespace tools {
namespace {

constexpr qsizetype BufferSize = 64 * 1024;

class Writer {
 public:
  void Add(QByteArrayView bytes) {
    if (buffer_.size() + bytes.size() > BufferSize) Flush();
    if (bytes.size() >= BufferSize) return writeAll(bytes);
    buffer_ += bytes;
    // On a terminal each line shows at once, as between the lines of errors.
    if (terminal_ && bytes.contains('\n')) Flush();
  }

  void Flush() {
    const QByteArray pending = std::exchange(buffer_, {});
    writeAll(pending);
  }

 private:
  static void writeAll(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
      const ssize_t done = ::write(STDOUT_FILENO, bytes.data(), static_cast<size_t>(bytes.size()));
      if (done < 0 && errno == EINTR) continue;
      if (done < 0) throw OutputFailed(errno);
      bytes = bytes.sliced(done);
    }
  }

  QByteArray buffer_;
  const bool terminal_ = ::isatty(STDOUT_FILENO) == 1;
};

Writer& writer() {
  static Writer standardOutput;
  return standardOutput;
}

}  // namespace

OutputFailed::OutputFailed(int systemError) : DestinationError(QStringLiteral("standard output"), systemError) {}

void Output(QByteArrayView bytes) { writer().Add(bytes); }

void HoldClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
    if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) ::open("/dev/null", O_RDONLY);
}

int WithCheckedOutput(const std::function<int()>& command) {
  try {
    const int status = command();
    writer().Flush();
    return status;
  } catch (const OutputFailed& failed) {
    Complain(failed.file() + ": " + failed.reason());
    return SomeFailed;
  }
}

}  // namespace tools
