#include "ledgerlamp/ShowRecord.h"

#include "common/dat/DatRecord.h"

namespace ledgerlamp {

RecordView ShowRecord(const ReaderState& state, int32_t index) {
  if (index < 0 || index >= state.RecordCount())
    throw dat::DatError(QStringLiteral("there is no record %1").arg(static_cast<qint64>(index) + 1));
  const dat::FixedDATInfo info{state.DATSizes.TreeSize, state.DATSizes.DataSize, state.FirstRecordOffset + 1,
                               state.FilesTotal};
  // An archive let go since it was loaded has nothing left to read.
  if (!state.Source) throw dat::DatError(QStringLiteral("record %1 could not be read").arg(index + 1));
  const dat::DirRecord record = dat::ReadRecordAt(*state.Source, static_cast<qint64>(state.RecordPos[index]) + 1,
                                                  dat::DirectoryEnd(info), index + 1);
  RecordView view;
  view.FilenameSize = QString::number(record.FilenameSize);
  view.Filename = QString::fromLatin1(record.Filename);
  view.Type = QString::number(record.Type);
  view.PackedSize = QString::number(record.PackedSize);
  view.RealSize = QString::number(record.RealSize);
  view.Offset = dat::FormatHex(record.Offset) + QLatin1Char('h');
  view.Index = QString::number(index + 1);
  return view;
}

}  // namespace ledgerlamp
