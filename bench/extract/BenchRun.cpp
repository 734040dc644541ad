#include "BenchRun.h"

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <stdexcept>

namespace extractbench {

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Workspace::Workspace(const QString& base) : path_(base + "/extract-bench-" + QString::number(::getpid())) {
  QDir().mkpath(path_);
  mounted_ = ::mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", 0, "size=6g") == 0;
}

Workspace::~Workspace() {
  if (mounted_) ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
  QDir(path_).removeRecursively();
}

void CompareOutputs(const LoadedArchive& archive, const QString& left, const QString& right) {
  for (const auto& folder : *archive.trees)
    for (const auto& entry : *folder) {
      const QString relative = QString::fromLatin1(entry->Filename).replace('\\', '/');
      QFile a(left + "/" + relative), b(right + "/" + relative);
      if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.readAll() != b.readAll() ||
          a.size() != entry->RealSize)
        throw std::runtime_error(("outputs differ: " + relative).toStdString());
    }
}

}  // namespace extractbench
