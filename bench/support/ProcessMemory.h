#pragma once
// This process's resident memory from /proc/self/status, in bytes.
#include <QtGlobal>

namespace benchsupport {

qint64 ResidentBytes();  // VmRSS
qint64 PeakBytes();      // VmHWM
// Lowers the peak to the present resident size, so that the next peak belongs to what follows.
void ResetPeak();

}  // namespace benchsupport
