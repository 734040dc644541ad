#pragma once
// The Skarrow 2 DAT archive: entry bodies, then FilesTotal and the directory
// records, then an 8-byte trailer (TreeSize, DataSize) whose DataSize equals the
// file length. All integers are 32-bit little-endian signed; positions are 1-based.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <stdexcept>

#include "common/platform/ArchiveSource.h"

namespace dat {

// A file or directory that cannot be read as an archive; the text names what is wrong.
class DatError : public std::runtime_error {
 public:
  explicit DatError(const QString& what) : std::runtime_error(what.toStdString()) {}
  QString message() const { return QString::fromStdString(what()); }
};

constexpr int TrailerSize = 8;
constexpr int NameBufferSize = 255;
constexpr int RecordFixedSize = 17;  // FilenameSize + Type + RealSize + PackedSize + Offset
constexpr int EntryInfoSize = 13;

struct DATSizes {
  int32_t TreeSize = 0;
  int32_t DataSize = 0;
};

struct FixedDATInfo {
  int32_t TreeSize = 0;
  int32_t DataSize = 0;
  int32_t DirTreeAddr = 0;  // 1-based position of the first record
  int32_t FilesTotal = 0;
};

using platform::ArchiveSource;

// True when the last 4 bytes, read as a signed 32-bit value, equal the file's
// length; false for a file shorter than 4 bytes. A file that passes may still
// fail the checks of the fixed values (a file shorter than 8 bytes does).
bool IsSkarrow2DAT(const ArchiveSource& source);

// The three steps of reading the fixed values, each checked so that nothing
// outside the file is read and no impossible count is passed on.
DATSizes ReadDATSizes(const ArchiveSource& source);
int32_t DirTreeAddrOf(const DATSizes& sizes);
int32_t ReadFilesTotal(const ArchiveSource& source, const DATSizes& sizes);

// step, when given, is told the name of each value before it is read:
// "DATSizes", "DirTreeAddr", "FilesTotal".
FixedDATInfo GetFixedDATInfo(const ArchiveSource& source, const std::function<void(const char* value)>& step = {});

// 1-based position of the trailer: the first position past the directory.
inline qint64 DirectoryEnd(const FixedDATInfo& info) {
  return static_cast<qint64>(info.DataSize) - TrailerSize + 1;
}

// Reads a little-endian signed 32-bit value.
int32_t ReadInt32LE(const char* bytes);
// Appends one, as every integer of the format is written.
void AppendInt32LE(QByteArray& out, int32_t value);

// Upper-case hexadecimal without leading zeros; a negative value as its
// 8-digit two's complement.
QString FormatHex(int32_t value);

}  // namespace dat
