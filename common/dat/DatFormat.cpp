#include "common/dat/DatFormat.h"

#include <QtEndian>


namespace dat {
namespace {

int32_t readInt32At(const ArchiveSource& source, qint64 position) {
  char bytes[4];
  if (platform::ReadFully(source, position, bytes, 4) != 4)
    throw DatError(QStringLiteral("the file could not be read at position %1").arg(position));
  return ReadInt32LE(bytes);
}

}  // namespace

int32_t ReadInt32LE(const char* bytes) { return qFromLittleEndian<qint32>(bytes); }

void AppendInt32LE(QByteArray& out, int32_t value) {
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  out.append(bytes, 4);
}

QString FormatHex(int32_t value) { return QString::number(static_cast<uint32_t>(value), 16).toUpper(); }

bool IsSkarrow2DAT(const ArchiveSource& source) {
  const qint64 length = source.Length();
  if (length < 4) return false;
  char bytes[4];
  if (platform::ReadFully(source, length - 3, bytes, 4) != 4) return false;
  return ReadInt32LE(bytes) == length;
}

DATSizes ReadDATSizes(const ArchiveSource& source) {
  const qint64 fileLength = source.Length();
  if (fileLength < TrailerSize)
    throw DatError(QStringLiteral("the file is shorter than 8 bytes (%1 bytes)").arg(fileLength));
  DATSizes sizes;
  sizes.TreeSize = readInt32At(source, fileLength - 7);
  sizes.DataSize = readInt32At(source, fileLength - 3);
  if (sizes.DataSize != fileLength)
    throw DatError(
        QStringLiteral("DataSize %1 differs from the file length %2").arg(sizes.DataSize).arg(fileLength));
  return sizes;
}

int32_t DirTreeAddrOf(const DATSizes& sizes) {
  if (sizes.TreeSize < 4) throw DatError(QStringLiteral("TreeSize %1 is smaller than 4").arg(sizes.TreeSize));
  if (sizes.TreeSize > sizes.DataSize - TrailerSize)
    throw DatError(
        QStringLiteral("TreeSize %1 points outside the file of %2 bytes").arg(sizes.TreeSize).arg(sizes.DataSize));
  return sizes.DataSize - sizes.TreeSize - 3;
}

int32_t ReadFilesTotal(const ArchiveSource& source, const DATSizes& sizes) {
  const int32_t dirTreeAddr = DirTreeAddrOf(sizes);
  const int32_t filesTotal = readInt32At(source, dirTreeAddr - 4);
  if (filesTotal < 0) throw DatError(QStringLiteral("FilesTotal is negative (%1)").arg(filesTotal));
  if (filesTotal > (sizes.TreeSize - 4) / RecordFixedSize)
    throw DatError(QStringLiteral("FilesTotal %1 cannot fit in a directory of %2 bytes")
                       .arg(filesTotal)
                       .arg(sizes.TreeSize - 4));
  return filesTotal;
}

FixedDATInfo GetFixedDATInfo(const ArchiveSource& source, const std::function<void(const char* value)>& step) {
  const auto tell = [&step](const char* value) {
    if (step) step(value);
  };
  tell("DATSizes");
  const DATSizes sizes = ReadDATSizes(source);
  FixedDATInfo info;
  info.DataSize = sizes.DataSize;
  info.TreeSize = sizes.TreeSize;
  tell("DirTreeAddr");
  info.DirTreeAddr = DirTreeAddrOf(sizes);
  tell("FilesTotal");
  info.FilesTotal = ReadFilesTotal(source, sizes);
  return info;
}

}  // namespace dat
