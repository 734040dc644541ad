#pragma once
// One directory record: FilenameSize, the name, then Type, RealSize, PackedSize
// and Offset. A record occupies 17 + FilenameSize bytes; only the first 255
// bytes of a longer name are kept.
#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

#include "common/dat/DatFormat.h"

namespace dat {

// Name: QByteArray for a record of its own, QByteArrayView for one read in
// place (DirRecordView).
template <typename Name>
struct BasicDirRecord {
  int32_t FilenameSize = 0;
  Name Filename;  // the first min(FilenameSize, 255) bytes of the name
  uint8_t Type = 0;
  int32_t RealSize = 0;
  int32_t PackedSize = 0;
  int32_t Offset = 0;
  qint64 NextPosition = 0;  // 1-based position of the record after this one
};

using DirRecord = BasicDirRecord<QByteArray>;
// A record whose name is a view of the reader's piece, valid until the
// reader reads again: a walk that keeps names its own way copies none twice.
using DirRecordView = BasicDirRecord<QByteArrayView>;

// The record with a name of its own.
DirRecord Owned(const DirRecordView& view);

// Reads the directory front to back through pieces of at most PieceSize bytes,
// each read only when a record needs it: memory follows the records really
// there, never the directory size the trailer claims. A record that straddles
// two pieces starts the next piece.
class DirectoryReader {
 public:
  // Small enough to stay in the cache and to cost a command few fresh pages.
  static constexpr qint64 PieceSize = 256 << 10;

  DirectoryReader(const ArchiveSource& source, const FixedDATInfo& info);
  // The records between two 1-based positions, read in pieces of pieceSize bytes (255 at least).
  DirectoryReader(const ArchiveSource& source, qint64 first, qint64 end, qint64 pieceSize);

  // Decodes the record at a 1-based file position; recordNumber (from 1) only
  // names the record in the error thrown when it does not lie inside the directory.
  DirRecord RecordAt(qint64 position, int recordNumber);
  // RecordAt with the name a view of the piece, valid until the next read.
  DirRecordView ViewAt(qint64 position, int recordNumber);
  // The same checks without decoding: the 1-based position of the record after it.
  qint64 NextAfter(qint64 position, int recordNumber);

 private:
  // The bytes [position, position + length), which lie inside the directory.
  const char* bytesAt(qint64 position, qint64 length, int recordNumber);
  // The FilenameSize of the record at the position, checked to end inside the directory.
  int32_t checkedNameSize(qint64 position, int recordNumber);

  const ArchiveSource& source_;
  qint64 first_;
  qint64 end_;
  qint64 pieceSize_;
  QByteArray piece_;
  qint64 pieceStart_ = 0;
};

// Appends the record as the directory holds it: its fields as they stand, so
// that FilenameSize may differ from the name written (a fixture's broken record).
template <typename Name>
void AppendRecord(QByteArray& directory, const BasicDirRecord<Name>& record) {
  AppendInt32LE(directory, record.FilenameSize);
  directory.append(record.Filename);
  directory.append(static_cast<char>(record.Type));
  AppendInt32LE(directory, record.RealSize);
  AppendInt32LE(directory, record.PackedSize);
  AppendInt32LE(directory, record.Offset);
}

// Reads one record straight from the file, with the same checks: the record
// must end before directoryEnd (the trailer's 1-based position).
DirRecord ReadRecordAt(const ArchiveSource& source, qint64 position, qint64 directoryEnd, int recordNumber);

}  // namespace dat
