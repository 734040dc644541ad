#include "common/platform/UnnamedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdlib>

namespace platform {

int OpenUnnamedFile() {
  const QByteArray folder = QFile::encodeName(QDir::tempPath());
  const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  QByteArray name = folder + "/skarrow2-dat-XXXXXX";
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(name.constData());
  return named;
}

}  // namespace platform
