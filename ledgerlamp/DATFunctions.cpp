#include "ledgerlamp/DATFunctions.h"

#include "common/dat/DatRecord.h"
#include "common/platform/FileNumbers.h"

namespace ledgerlamp {
namespace {

QString cannotLoad(const QString& path, const QString& problem) {
  return QStringLiteral("Cannot load %1: %2.").arg(path, problem);
}

int openNewNumber(const QString& path) {
  const int fileNo = platform::FreeFile();
  QString reason;
  if (fileNo == 0) throw LoadError(LoadError::Unusable, cannotLoad(path, "no file number is free"));
  if (!dat::OpenDAT(path, fileNo, &reason))
    throw LoadError(LoadError::Unusable, cannotLoad(path, reason));
  return fileNo;
}

void checkTrailer(const QString& path, int fileNo) {
  const qint64 length = platform::FileLength(fileNo);
  if (length < dat::TrailerSize)
    throw LoadError(LoadError::Unusable,
                    cannotLoad(path, QStringLiteral("the file is shorter than 8 bytes (%1 bytes)")
                                         .arg(length)));
  if (!dat::IsSkarrow2DAT(fileNo, path))
    throw LoadError(LoadError::NotAnArchive, QStringLiteral("This is not a Skarrow 2 DAT file!"));
}

dat::FixedDATInfo getFixedDATInfo(int fileNo, const StatusFn& status) {
  const QString step = QStringLiteral("Getting fixed DAT info... ");
  status(step + "DATSizes");
  const dat::DATSizes sizes = dat::ReadDATSizes(fileNo, platform::FileLength(fileNo));
  status(step + "DirTreeAddr");
  dat::FixedDATInfo info;
  info.TreeSize = sizes.TreeSize;
  info.DataSize = sizes.DataSize;
  info.DirTreeAddr = dat::DirTreeAddrOf(sizes);
  status(step + "FilesTotal");
  info.FilesTotal = dat::ReadFilesTotal(fileNo, sizes);
  return info;
}

ReaderState readArchive(const QString& path, int fileNo, const StatusFn& status) {
  checkTrailer(path, fileNo);
  status(QStringLiteral("Getting fixed DAT info..."));
  try {
    const dat::FixedDATInfo info = getFixedDATInfo(fileNo, status);
    status(QStringLiteral("Scanning DAT..."));
    ScanResult scan = ScanDAT(fileNo, info);
    ReaderState state;
    state.Path = path;
    state.DatFile = fileNo;
    state.DATSizes = {info.TreeSize, info.DataSize};
    state.FirstRecordOffset = info.DirTreeAddr - 1;
    state.FilesTotal = info.FilesTotal;
    state.RecordPos = std::move(scan.RecordPos);
    if (!scan.Damage.isEmpty())
      state.ScanDamage = QStringLiteral("%1 is damaged: %2. Only the first %3 of its %4 records can be shown.")
                             .arg(path, scan.Damage)
                             .arg(state.RecordCount())
                             .arg(info.FilesTotal);
    return state;
  } catch (const dat::DatError& error) {
    throw LoadError(LoadError::Unusable, cannotLoad(path, error.message()));
  }
}

}  // namespace

ReaderState LoadDAT(const QString& path, const StatusFn& status) {
  const int fileNo = openNewNumber(path);
  try {
    return readArchive(path, fileNo, status);
  } catch (...) {
    platform::CloseFile(fileNo);
    throw;
  }
}

ScanResult ScanDAT(int fileNo, const dat::FixedDATInfo& info) {
  const dat::DirectoryBlock block = dat::DirectoryBlock::Read(fileNo, info);
  ScanResult result;
  result.RecordPos.reserve(static_cast<size_t>(info.FilesTotal) + 1);
  qint64 position = info.DirTreeAddr;
  result.RecordPos.push_back(static_cast<int32_t>(position - 1));
  try {
    for (int32_t i = 1; i <= info.FilesTotal; ++i) {
      position = block.RecordAt(position, i).NextPosition;
      result.RecordPos.push_back(static_cast<int32_t>(position - 1));
    }
  } catch (const dat::DatError& error) {
    result.Damage = error.message();
  }
  return result;
}

void CloseAllExcept(int fileNo) {
  for (int n = 1; n <= platform::MaxFileNumber; ++n)
    if (n != fileNo) platform::CloseFile(n);
}

}  // namespace ledgerlamp
