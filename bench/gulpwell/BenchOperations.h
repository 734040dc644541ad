#pragma once
// The measured operations, each run in a process of its own so that its peak
// memory is its own.
#include <QString>
#include <QStringList>

namespace gulpwellbench {

struct Measure {
  bool ok = false;
  double seconds = 0;     // steady clock
  double cpuSeconds = 0;  // user + system: less disturbed by other work on the machine
  double peakMiB = 0;     // VmHWM of the process that ran it
};

// In the child: runs the operation named by the arguments and prints
// "ok seconds cpuSeconds peakKiB" on standard output. Returns the exit code.
int RunOperation(const QStringList& arguments);

// In the parent: runs the operation in a fresh process of this program.
Measure MeasureOperation(const QString& program, const QStringList& arguments);

}  // namespace gulpwellbench
