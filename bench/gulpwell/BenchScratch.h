#pragma once
#include <QString>
#include <QTemporaryDir>

namespace gulpwellbench {

// A fresh folder for the inputs and outputs: a tmpfs mounted on it when this
// runs as root (so the disk does not set the pace), else a plain temporary folder.
class BenchScratch {
 public:
  BenchScratch();
  ~BenchScratch();
  BenchScratch(const BenchScratch&) = delete;
  BenchScratch& operator=(const BenchScratch&) = delete;

  bool valid() const { return folder_.isValid(); }
  QString path(const QString& name) const { return folder_.filePath(name); }
  QString kind() const { return mounted_ ? QStringLiteral("tmpfs") : QStringLiteral("temporary folder"); }

 private:
  QTemporaryDir folder_;
  bool mounted_ = false;
};

}  // namespace gulpwellbench
