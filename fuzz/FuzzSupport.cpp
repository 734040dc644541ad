#include "fuzz/FuzzSupport.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

QString ScratchPath(const char* suffix) {
  const QString folder = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
  return QStringLiteral("%1/skarrow-fuzz-%2%3").arg(folder).arg(::getpid()).arg(QLatin1String(suffix));
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}
