#pragma once
// The first half of loading an archive: its file opened under the lowest free
// file number, the trailer tested and the fixed values read, before anything
// of it is registered, so that a refused file leaves nothing behind.
#include <QString>

#include "common/dat/DatFormat.h"

namespace engine {

struct ArchiveOpening {
  int FileNo = 0;  // the archive number; 0 when refused
  dat::FixedDATInfo Info;
  QString Refusal;             // what the user is told; empty when opened
  bool NotAnArchive = false;  // refused by the trailer test, the plain refusal
};

// A refused file is closed again.
ArchiveOpening OpenArchiveFile(const QString& path);

}  // namespace engine
