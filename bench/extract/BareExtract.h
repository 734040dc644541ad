#pragma once
// The machine's limit: read each body, inflate it with zlib's one-shot call
// into a buffer of its RealSize, write it to a new file in its folder. Nothing
// is checked beyond what zlib and the system report.
#include <QString>

#include "BenchArchive.h"

namespace extractbench {

struct BareTimes {
  double totalSeconds = 0;
  double inflateSeconds = 0;  // inside uncompress alone
};

// viaTemporary: each compressed body first goes to a temporary file of its
// own, which is read back, inflated and deleted: the cost of a design that
// keeps a temporary copy of the body on disk.
BareTimes BareExtract(const LoadedArchive& archive, const QString& archivePath, const QString& destination,
                      bool viaTemporary = false);

}  // namespace extractbench
