#include "bench/ledgerlamp/BenchArchive.h"

#include <QFile>
#include <QtEndian>
#include <stdexcept>

namespace ledgerlampbench {
namespace {

void appendInt32(QByteArray& out, int32_t value) {
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  out.append(bytes, 4);
}

void writeAll(QFile& file, QByteArray& chunk) {
  if (file.write(chunk) != chunk.size()) throw std::runtime_error("cannot write the bench archive");
  chunk.clear();
}

}  // namespace

ArchiveFacts WriteArchive(const QString& path, int32_t records) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("cannot create the bench archive");
  QByteArray chunk(records, 'b');  // the bodies, one byte each
  writeAll(file, chunk);
  ArchiveFacts facts;
  facts.records = records;
  appendInt32(chunk, records);
  for (int32_t i = 0; i < records; ++i) {
    const QByteArray name = QStringLiteral("data\\level%1\\entry%2.bin")
                                .arg(i % 100, 2, 10, QLatin1Char('0'))
                                .arg(i, 7, 10, QLatin1Char('0'))
                                .toLatin1();
    appendInt32(chunk, static_cast<int32_t>(name.size()));
    chunk.append(name);
    chunk.append(static_cast<char>(i % 2));
    appendInt32(chunk, 1);
    appendInt32(chunk, 1);
    appendInt32(chunk, i);
    facts.directoryBytes += 17 + name.size();
    if (chunk.size() > (1 << 20)) writeAll(file, chunk);
  }
  writeAll(file, chunk);
  facts.fileBytes = records + 4 + facts.directoryBytes + 8;
  appendInt32(chunk, static_cast<int32_t>(facts.directoryBytes + 4));
  appendInt32(chunk, static_cast<int32_t>(facts.fileBytes));
  writeAll(file, chunk);
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
