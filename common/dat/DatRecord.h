#pragma once
// One directory record: FilenameSize, the name, then Type, RealSize, PackedSize
// and Offset. A record occupies 17 + FilenameSize bytes; only the first 255
// bytes of a longer name are kept.
#include <QByteArray>
#include <cstdint>

#include "common/dat/DatFormat.h"

namespace dat {

struct DirRecord {
  int32_t FilenameSize = 0;
  QByteArray Filename;  // the first min(FilenameSize, 255) bytes of the name
  uint8_t Type = 0;
  int32_t RealSize = 0;
  int32_t PackedSize = 0;
  int32_t Offset = 0;
  qint64 NextPosition = 0;  // 1-based position of the record after this one
};

// The whole directory read in one piece, so that a scan decodes records from
// memory rather than with two reads per record. Its size is TreeSize - 4, which
// the fixed values have already bounded by the file length.
class DirectoryBlock {
 public:
  static DirectoryBlock Read(int fileNo, const FixedDATInfo& info);

  // Decodes the record at a 1-based file position; recordNumber (from 1) only
  // names the record in the error thrown when it does not lie inside the directory.
  DirRecord RecordAt(qint64 position, int recordNumber) const;

  qint64 FirstPosition() const { return first_; }
  qint64 EndPosition() const { return first_ + bytes_.size(); }

 private:
  QByteArray bytes_;
  qint64 first_ = 0;
};

// Reads one record straight from the file, with the same checks: the record
// must end before directoryEnd (the trailer's 1-based position).
DirRecord ReadRecordAt(int fileNo, qint64 position, qint64 directoryEnd, int recordNumber);

}  // namespace dat
