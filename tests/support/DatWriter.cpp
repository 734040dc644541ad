#include "tests/support/DatWriter.h"

#include <zlib.h>

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <stdexcept>

#include "tests/support/ArchiveFile.h"

namespace testsupport {

DatWriter& DatWriter::add(const QByteArray& name, const QByteArray& data, bool compressed) {
  FixtureEntry entry;
  entry.name = name;
  entry.data = data;
  entry.compressed = compressed;
  return add(entry);
}

DatWriter& DatWriter::add(const FixtureEntry& entry) {
  entries_.append(entry);
  return *this;
}

QByteArray DatWriter::build() const {
  QByteArray archive;
  QBuffer out(&archive);
  out.open(QIODevice::WriteOnly);
  ArchiveFile file(out);
  for (const FixtureEntry& entry : entries_) {
    const QByteArray source = entry.body.value_or(entry.data);
    const QByteArray body = entry.compressed && !entry.body ? ZlibCompress(source) : source;
    const auto at = static_cast<int32_t>(file.AddBody(body));
    dat::DirRecord record;
    record.Offset = entry.offset.value_or(at);
    record.FilenameSize = entry.filenameSize.value_or(static_cast<int32_t>(entry.name.size()));
    record.Filename = entry.name;
    record.Type = entry.type.value_or(entry.compressed ? 1 : 0);
    record.RealSize = entry.realSize.value_or(static_cast<int32_t>(entry.data.size()));
    record.PackedSize = entry.packedSize.value_or(static_cast<int32_t>(body.size()));
    file.AddRecord(record);
  }
  file.Finish();
  return archive;
}

bool DatWriter::writeTo(const QString& path) const { return WriteFile(path, build()); }

QByteArray ZlibCompress(const QByteArray& data, int level) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  QByteArray out(static_cast<qsizetype>(length), Qt::Uninitialized);
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.constData()),
                static_cast<uLong>(data.size()), level) != Z_OK)
    throw std::runtime_error("compress2 failed");
  out.resize(static_cast<qsizetype>(length));
  return out;
}

QByteArray ZlibUncompress(const QByteArray& stream, qsizetype size) {
  QByteArray out(size, Qt::Uninitialized);
  uLongf length = static_cast<uLongf>(size);
  const int result = uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                                reinterpret_cast<const Bytef*>(stream.constData()),
                                static_cast<uLong>(stream.size()));
  return result == Z_OK && length == static_cast<uLongf>(size) ? out : QByteArray("restore failed");
}

void PatchInt32(QByteArray& bytes, qint64 offset, int32_t value) {
  qToLittleEndian<qint32>(value, bytes.data() + offset);
}

int32_t Int32At(const QByteArray& bytes, qint64 offset) {
  return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

qint64 FilesTotalOffset(const QByteArray& archive) {
  const qint64 size = archive.size();
  return size - Int32At(archive, size - 8) - 8;
}

qint64 FirstRecordOffset(const QByteArray& archive) { return FilesTotalOffset(archive) + 4; }

QByteArray SampleText(qint64 size, int seed) {
  static const char* const words[] = {"skarrow ", "lantern ", "harbour ", "ledger ", "gull ",
                                      "tally ",   "\n",       "rope ",    "42 ",     "mist "};
  QByteArray out;
  out.reserve(size);
  uint32_t state = 2166136261u ^ static_cast<uint32_t>(seed);
  while (out.size() < size) {
    state = state * 1103515245u + 12345u;
    out.append(words[(state >> 16) % 10]);
  }
  out.truncate(size);
  return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool WriteDirectoryClaim(const QString& path, int32_t length, int32_t filesTotal) {
  QFile file(path);
  QByteArray count(4, '\0');
  PatchInt32(count, 0, filesTotal);
  QByteArray trailer(8, '\0');
  PatchInt32(trailer, 0, length - 8);
  PatchInt32(trailer, 4, length);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(length) && file.write(count) == 4 &&
         file.seek(length - 8) && file.write(trailer) == 8;
}

LargestClaims WriteLargestClaims(const QString& folder) {
  const LargestClaims claims{folder + "/claim.dat", folder + "/full.dat"};
  const bool written = WriteDirectoryClaim(claims.empty, LargestArchive) &&
                       WriteDirectoryClaim(claims.full, LargestArchive, (LargestArchive - 12) / 17);
  return written ? claims : LargestClaims{};
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace testsupport
