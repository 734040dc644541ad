#include "bench/ledgerlamp/BenchArchive.h"

#include <QFile>
#include <QtEndian>
#include <stdexcept>

#include "tests/support/ArchiveFile.h"

namespace ledgerlampbench {

ArchiveFacts WriteArchive(const QString& path, int32_t records) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("cannot create the bench archive");
  testsupport::ArchiveFile archive(file);
  archive.AddBody(QByteArray(records, 'b'));  // the bodies, one byte each
  ArchiveFacts facts;
  facts.records = records;
  for (int32_t i = 0; i < records; ++i) {
    dat::DirRecord record;
    record.Filename = QStringLiteral("data\\level%1\\entry%2.bin")
                          .arg(i % 100, 2, 10, QLatin1Char('0'))
                          .arg(i, 7, 10, QLatin1Char('0'))
                          .toLatin1();
    record.FilenameSize = static_cast<int32_t>(record.Filename.size());
    record.Type = static_cast<uint8_t>(i % 2);
    record.RealSize = record.PackedSize = 1;
    record.Offset = i;
    archive.AddRecord(record);
    facts.directoryBytes += 17 + record.Filename.size();
  }
  facts.fileBytes = archive.Finish();
  return facts;
}

int32_t BareParse(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot open the bench archive");
  const qint64 length = file.size();
  file.seek(length - 8);
  const QByteArray trailer = file.read(8);
  const qint64 treeSize = qFromLittleEndian<qint32>(trailer.constData());
  file.seek(length - 8 - treeSize);
  const QByteArray directory = file.read(treeSize);
  const char* bytes = directory.constData();
  const int32_t total = qFromLittleEndian<qint32>(bytes);
  qint64 position = 4;
  for (int32_t i = 0; i < total; ++i) position += 17 + qFromLittleEndian<qint32>(bytes + position);
  return position == treeSize ? total : -1;
}

}  // namespace ledgerlampbench
