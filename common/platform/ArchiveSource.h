#pragma once
// The bytes of an archive, wherever they are kept: an open file or memory. The
// readers take a source, so the same code reads a file on disk, a fuzz input
// or a test's fixture. Positions are 1-based, as the format's reader counts.
#include <QtGlobal>

#include "common/platform/FolderHandle.h"

namespace platform {

class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;

  // Length in bytes, fixed when the source was made.
  virtual qint64 Length() const = 0;

  // Reads up to length bytes from the 1-based position and returns how many
  // it read: possibly fewer than asked anywhere (as a file may), 0 outside
  // the source, -1 on a read error. Safe to call from several threads at once.
  virtual qint64 ReadAt(qint64 position, char* buffer, qint64 length) const = 0;

  // The file behind the source, zeros for memory: extraction never replaces it.
  virtual FolderHandle::Identity FileIdentity() const { return {}; }
};

// Reads until length bytes are in, the source ends or a read fails: the
// number read (short only at the end), or -1 on a read error.
qint64 ReadFully(const ArchiveSource& source, qint64 position, char* buffer, qint64 length);

}  // namespace platform
