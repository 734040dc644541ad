#include "common/dat/DatRecord.h"

#include <algorithm>


namespace dat {
namespace {

// Throws unless a record with this FilenameSize at the position ends inside the directory.
void checkRecordFits(qint64 position, int32_t filenameSize, qint64 directoryEnd, int recordNumber) {
  if (filenameSize < 0)
    throw DatError(
        QStringLiteral("record %1 has a negative FilenameSize (%2)").arg(recordNumber).arg(filenameSize));
  if (position + RecordFixedSize + static_cast<qint64>(filenameSize) > directoryEnd)
    throw DatError(QStringLiteral("record %1 runs past the end of the directory").arg(recordNumber));
}

void checkHeadFits(qint64 position, qint64 directoryEnd, int recordNumber) {
  if (position + 4 > directoryEnd)
    throw DatError(QStringLiteral("record %1 runs past the end of the directory").arg(recordNumber));
}

DatError unreadable(int recordNumber) {
  return DatError(QStringLiteral("record %1 could not be read").arg(recordNumber));
}

}  // namespace

DirectoryReader::DirectoryReader(const ArchiveSource& source, const FixedDATInfo& info)
    : DirectoryReader(source, info.DirTreeAddr, DirectoryEnd(info), PieceSize) {}

DirectoryReader::DirectoryReader(const ArchiveSource& source, qint64 first, qint64 end, qint64 pieceSize)
    : source_(source), first_(first), end_(end), pieceSize_(std::max<qint64>(pieceSize, NameBufferSize)) {}

const char* DirectoryReader::bytesAt(qint64 position, qint64 length, int recordNumber) {
  if (position < pieceStart_ || position + length > pieceStart_ + piece_.size()) {
    piece_.resize(std::min(pieceSize_, end_ - position));
    pieceStart_ = position;
    // Only the bytes asked for must be there: the file may have shrunk since it was opened.
    const qint64 got = platform::ReadFully(source_, position, piece_.data(), piece_.size());
    piece_.resize(std::max<qint64>(got, 0));
    if (got < length) throw unreadable(recordNumber);
  }
  return piece_.constData() + (position - pieceStart_);
}

int32_t DirectoryReader::checkedNameSize(qint64 position, int recordNumber) {
  if (position < first_) throw DatError(QStringLiteral("record %1 lies before the directory").arg(recordNumber));
  checkHeadFits(position, end_, recordNumber);
  const int32_t nameSize = ReadInt32LE(bytesAt(position, 4, recordNumber));
  checkRecordFits(position, nameSize, end_, recordNumber);
  return nameSize;
}

qint64 DirectoryReader::NextAfter(qint64 position, int recordNumber) {
  const int32_t nameSize = checkedNameSize(position, recordNumber);
  // The bytes must be readable, as they are for a record decoded.
  bytesAt(position + 4 + nameSize, EntryInfoSize, recordNumber);
  return position + RecordFixedSize + nameSize;
}

DirRecordView DirectoryReader::ViewAt(qint64 position, int recordNumber) {
  DirRecordView record;
  record.FilenameSize = checkedNameSize(position, recordNumber);
  const char* info = bytesAt(position + 4 + record.FilenameSize, EntryInfoSize, recordNumber);
  record.Type = static_cast<uint8_t>(info[0]);
  record.RealSize = ReadInt32LE(info + 1);
  record.PackedSize = ReadInt32LE(info + 5);
  record.Offset = ReadInt32LE(info + 9);
  // Read last, so that no later read moves the piece under the view.
  const int kept = std::min(record.FilenameSize, NameBufferSize);
  record.Filename = QByteArrayView(bytesAt(position + 4, kept, recordNumber), kept);
  record.NextPosition = position + RecordFixedSize + record.FilenameSize;
  return record;
}

DirRecord DirectoryReader::RecordAt(qint64 position, int recordNumber) {
  return Owned(ViewAt(position, recordNumber));
}

DirRecord Owned(const DirRecordView& view) {
  return {view.FilenameSize, view.Filename.toByteArray(), view.Type, view.RealSize, view.PackedSize, view.Offset,
          view.NextPosition};
}

DirRecord ReadRecordAt(const ArchiveSource& source, qint64 position, qint64 directoryEnd, int recordNumber) {
  return DirectoryReader(source, position, directoryEnd, NameBufferSize).RecordAt(position, recordNumber);
}

}  // namespace dat
