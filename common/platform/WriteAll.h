#pragma once
// A write to a descriptor carried through short writes and interruptions.
#include <QtGlobal>

namespace platform {

// 0 when all size bytes were written, or the system's error.
int WriteAll(int fd, const char* data, qint64 size);

}  // namespace platform
