#include "bench/gulpwell/BenchScratch.h"

#include <sys/mount.h>
#include <unistd.h>

#include <QFile>

namespace gulpwellbench {

BenchScratch::BenchScratch() {
  if (folder_.isValid() && geteuid() == 0)
    mounted_ = mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0, "size=1536m,mode=0700") ==
               0;
}

BenchScratch::~BenchScratch() {
  if (mounted_) umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

}  // namespace gulpwellbench
