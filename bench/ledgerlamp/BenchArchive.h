#pragma once
// A large generated archive and the bare parse of its directory that the
// reader's load is measured against.
#include <QString>
#include <cstdint>

namespace ledgerlampbench {

struct ArchiveFacts {
  int32_t records = 0;
  qint64 directoryBytes = 0;  // TreeSize - 4: the records without FilesTotal
  qint64 fileBytes = 0;
};

// Writes an archive of one-byte entries under folder-like names, streaming to
// disk so that the generator's own memory does not count in the load's peak.
ArchiveFacts WriteArchive(const QString& path, int32_t records);

// The least any reader must do: read the directory in one piece and step over
// every record by its FilenameSize, without a single check. Returns the records walked.
int32_t BareParse(const QString& path);

}  // namespace ledgerlampbench
