#include "common/dat/DatRecord.h"

#include <algorithm>

#include "common/platform/FileNumbers.h"

namespace dat {
namespace {

// Throws unless a record with this FilenameSize at the position ends inside the directory.
void checkRecordFits(qint64 position, int32_t filenameSize, qint64 directoryEnd, int recordNumber) {
  if (filenameSize < 0)
    throw DatError(QStringLiteral("record %1 has a negative FilenameSize (%2)")
                       .arg(recordNumber)
                       .arg(filenameSize));
  if (position + RecordFixedSize + static_cast<qint64>(filenameSize) > directoryEnd)
    throw DatError(QStringLiteral("record %1 runs past the end of the directory").arg(recordNumber));
}

void checkHeadFits(qint64 position, qint64 directoryEnd, int recordNumber) {
  if (position + 4 > directoryEnd)
    throw DatError(QStringLiteral("record %1 runs past the end of the directory").arg(recordNumber));
}

void decodeInfo(const char* info, DirRecord& record) {
  record.Type = static_cast<uint8_t>(info[0]);
  record.RealSize = ReadInt32LE(info + 1);
  record.PackedSize = ReadInt32LE(info + 5);
  record.Offset = ReadInt32LE(info + 9);
}

}  // namespace

DirectoryBlock DirectoryBlock::Read(int fileNo, const FixedDATInfo& info) {
  DirectoryBlock block;
  block.first_ = info.DirTreeAddr;
  const qint64 size = DirectoryEnd(info) - info.DirTreeAddr;
  block.bytes_.resize(size);
  if (platform::ReadAt(fileNo, block.first_, block.bytes_.data(), size) != size)
    throw DatError(QStringLiteral("the directory could not be read"));
  return block;
}

DirRecord DirectoryBlock::RecordAt(qint64 position, int recordNumber) const {
  if (position < first_)
    throw DatError(QStringLiteral("record %1 lies before the directory").arg(recordNumber));
  checkHeadFits(position, EndPosition(), recordNumber);
  const char* head = bytes_.constData() + (position - first_);
  DirRecord record;
  record.FilenameSize = ReadInt32LE(head);
  checkRecordFits(position, record.FilenameSize, EndPosition(), recordNumber);
  record.Filename = QByteArray(head + 4, std::min(record.FilenameSize, NameBufferSize));
  decodeInfo(head + 4 + record.FilenameSize, record);
  record.NextPosition = position + RecordFixedSize + record.FilenameSize;
  return record;
}

DirRecord ReadRecordAt(int fileNo, qint64 position, qint64 directoryEnd, int recordNumber) {
  checkHeadFits(position, directoryEnd, recordNumber);
  char head[4];
  if (platform::ReadAt(fileNo, position, head, 4) != 4)
    throw DatError(QStringLiteral("record %1 could not be read").arg(recordNumber));
  DirRecord record;
  record.FilenameSize = ReadInt32LE(head);
  checkRecordFits(position, record.FilenameSize, directoryEnd, recordNumber);
  const int kept = std::min(record.FilenameSize, NameBufferSize);
  record.Filename.resize(kept);
  char info[EntryInfoSize];
  if (platform::ReadAt(fileNo, position + 4, record.Filename.data(), kept) != kept ||
      platform::ReadAt(fileNo, position + 4 + record.FilenameSize, info, EntryInfoSize) != EntryInfoSize)
    throw DatError(QStringLiteral("record %1 could not be read").arg(recordNumber));
  decodeInfo(info, record);
  record.NextPosition = position + RecordFixedSize + record.FilenameSize;
  return record;
}

}  // namespace dat
