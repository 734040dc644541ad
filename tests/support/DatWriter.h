#pragma once
// Builds DAT archives for the tests, valid or deliberately broken: bodies
// first, then FilesTotal and the records, then TreeSize and DataSize.
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

namespace testsupport {

struct FixtureEntry {
  FixtureEntry(QByteArray entryName = {}, QByteArray entryData = {}, bool isCompressed = false)
      : name(std::move(entryName)), data(std::move(entryData)), compressed(isCompressed) {}

  QByteArray name;
  QByteArray data;  // the entry's contents, before compression
  bool compressed = false;
  // Values written instead of the true ones, for broken records.
  std::optional<uint8_t> type;
  std::optional<int32_t> filenameSize;
  std::optional<int32_t> realSize;
  std::optional<int32_t> packedSize;
  std::optional<int32_t> offset;
  std::optional<QByteArray> body;  // stored bytes instead of data (compressed if asked)
};

class DatWriter {
 public:
  DatWriter& add(const QByteArray& name, const QByteArray& data, bool compressed = false);
  DatWriter& add(const FixtureEntry& entry);

  QByteArray build() const;
  // Writes build() to the path; false when the file cannot be written.
  bool writeTo(const QString& path) const;

  const QList<FixtureEntry>& entries() const { return entries_; }

 private:
  QList<FixtureEntry> entries_;
};

// A bare zlib stream of the data, as the archive stores compressed bodies.
QByteArray ZlibCompress(const QByteArray& data, int level = 6);
// zlib's own one-shot decoder, given exactly the room the data need; a
// marker text when the stream does not restore to exactly that many bytes.
QByteArray ZlibUncompress(const QByteArray& stream, qsizetype size);

// Overwrites 4 bytes at a 0-based offset with a little-endian value.
void PatchInt32(QByteArray& bytes, qint64 offset, int32_t value);
int32_t Int32At(const QByteArray& bytes, qint64 offset);

// 0-based offsets inside a built archive.
qint64 FilesTotalOffset(const QByteArray& archive);  // DataSize - TreeSize - 8
qint64 FirstRecordOffset(const QByteArray& archive);

// Deterministic text-like contents of a given size.
QByteArray SampleText(qint64 size, int seed = 0);

bool WriteFile(const QString& path, const QByteArray& bytes);

// A sparse file of `length` bytes whose trailer claims a directory of all the
// rest, with filesTotal at its start: with 0, a huge claim with no record
// behind it; otherwise as many empty-named records of zeros as it says.
bool WriteDirectoryClaim(const QString& path, int32_t length, int32_t filesTotal = 0);
// The largest DataSize there is.
constexpr int32_t LargestArchive = 2147483647;
// Two claims of the largest size in the folder: one with no record, one whose
// zeros are records filling it; their paths (empty when they cannot be written).
struct LargestClaims {
  QString empty;
  QString full;
};
LargestClaims WriteLargestClaims(const QString& folder);
QByteArray ReadFile(const QString& path);

}  // namespace testsupport
