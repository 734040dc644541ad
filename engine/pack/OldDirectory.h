#pragma once
// The entries of an archive about to be changed, as its directory records
// have them, read whole before anything is written. Their names lie in one
// buffer, so that thirty thousand of them cost no allocation each.
#include <QByteArray>
#include <QByteArrayView>
#include <vector>

#include "common/dat/DatFormat.h"

namespace engine {

struct OldEntry {
  QByteArrayView name;  // lives as long as the OldDirectory read it
  bool compressed = false;
  qint64 realSize = 0;
  qint64 packedSize = 0;
  qint64 offset = 0;  // from the start of the file
};

class OldDirectory {
 public:
  // Throws ArchiveRefused (BadDirectory) for a record that does not lie
  // inside the directory.
  OldDirectory(const platform::ArchiveSource& source, const dat::FixedDATInfo& info);
  OldDirectory(OldDirectory&&) = default;
  OldDirectory& operator=(OldDirectory&&) = default;
  OldDirectory(const OldDirectory&) = delete;
  OldDirectory& operator=(const OldDirectory&) = delete;

  // In the order of the directory's records.
  const std::vector<OldEntry>& Entries() const { return entries_; }

 private:
  QByteArray names_;
  std::vector<OldEntry> entries_;
};

}  // namespace engine
