#pragma once
#include <sys/mount.h>

#include <QDir>

namespace testsupport {

// A tmpfs of its own, read-only or tiny, where the test may mount one (as root).
class Mounted {
 public:
  Mounted(const QString& folder, const char* options, unsigned long flags) : folder_(QFile::encodeName(folder)) {
    QDir().mkpath(folder);
    mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", flags, options) == 0;
  }
  ~Mounted() {
    if (mounted_) ::umount2(folder_.constData(), MNT_DETACH);
  }
  bool ok() const { return mounted_; }

 private:
  QByteArray folder_;
  bool mounted_ = false;
};

}  // namespace testsupport
