#include "fuzz/FuzzFile.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

QString ScratchPath(const char* suffix) {
  const QString folder = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
  return QStringLiteral("%1/skarrow-fuzz-%2%3").arg(folder).arg(::getpid()).arg(QLatin1String(suffix));
}

QString WriteInput(const uint8_t* data, size_t size, const char* suffix) {
  const QString path = ScratchPath(suffix);
  QFile file(path);
  Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file cannot be written");
  Require(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
              static_cast<qint64>(size),
          "scratch file cannot be written");
  return path;
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}
