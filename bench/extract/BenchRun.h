#pragma once
// What every extraction benchmark run needs: a fresh folder to write into,
// a clock, the median of its rounds and a check that two outputs agree.
#include <QString>
#include <chrono>
#include <vector>

#include "BenchArchive.h"

namespace extractbench {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start);
double Median(std::vector<double> values);

// A fresh folder under the base, on a tmpfs mounted for the benchmark when it
// can mount one (it runs as root): file creation in the machine's temporary
// folder slows down sharply for minutes after a large deletion.
class Workspace {
 public:
  explicit Workspace(const QString& base);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  QString file(const QString& name) const { return path_ + "/" + name; }
  bool mounted() const { return mounted_; }

 private:
  QString path_;
  bool mounted_ = false;
};

// Throws when an entry's file differs between the two trees or from its RealSize.
void CompareOutputs(const LoadedArchive& archive, const QString& left, const QString& right);

}  // namespace extractbench
