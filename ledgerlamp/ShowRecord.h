#pragma once
// One record as the texts of its boxes, read again from the open archive.
#include <QString>
#include <cstdint>

#include "ledgerlamp/DATFunctions.h"

namespace ledgerlamp {

struct RecordView {
  QString FilenameSize;
  QString Filename;  // at most 255 characters, the bytes shown as Latin-1
  QString Type;      // 0 to 255
  QString PackedSize;
  QString RealSize;
  QString Offset;  // upper-case hexadecimal followed by "h"
  QString Index;   // the record's number, from 1
};

// Reads the record at table index (record number - 1). Throws dat::DatError when
// the index is outside the table or the file no longer holds the record.
RecordView ShowRecord(const ReaderState& state, int32_t index);

}  // namespace ledgerlamp
