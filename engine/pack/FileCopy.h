#pragma once
// Bytes copied between descriptors by the kernel where it can: 0 or the
// system's error.
#include <QtGlobal>

namespace engine {

// size bytes of from at offset (its position is not moved) to to's position:
// copy_file_range where the file systems take it, through memory elsewhere
// (a pipe, another file system on an old kernel).
int CopyRange(int from, qint64 offset, int to, qint64 size);

}  // namespace engine
