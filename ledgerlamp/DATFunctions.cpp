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
  if (!platform::OpenFile(fileNo, path, &reason))
    throw LoadError(LoadError::Unusable, cannotLoad(path, reason));
  return fileNo;
}

// Only a file whose last four bytes do not give its length gets the plain
// refusal; what passes that test and fails a later check is named with its problem.
void checkTrailer(const platform::ArchiveSource& source) {
  if (!dat::IsSkarrow2DAT(source))
    throw LoadError(LoadError::NotAnArchive, QStringLiteral("This is not a Skarrow 2 DAT file!"));
}

dat::FixedDATInfo getFixedDATInfo(const platform::ArchiveSource& source, const StatusFn& status) {
  const QString step = QStringLiteral("Getting fixed DAT info... ");
  status(step + "DATSizes");
  const dat::DATSizes sizes = dat::ReadDATSizes(source);
  status(step + "DirTreeAddr");
  dat::FixedDATInfo info;
  info.TreeSize = sizes.TreeSize;
  info.DataSize = sizes.DataSize;
  info.DirTreeAddr = dat::DirTreeAddrOf(sizes);
  status(step + "FilesTotal");
  info.FilesTotal = dat::ReadFilesTotal(source, sizes);
  return info;
}

// The table of record offsets, the directory read in bounded pieces. Throws
// dat::DatError at the first record that does not lie wholly inside the directory.
std::vector<int32_t> scanDAT(const platform::ArchiveSource& source, const dat::FixedDATInfo& info) {
  dat::DirectoryReader directory(source, info);
  std::vector<int32_t> recordPos;
  qint64 position = info.DirTreeAddr;
  recordPos.push_back(static_cast<int32_t>(position - 1));
  // The table grows with the records read, not with the count the file claims.
  for (int32_t i = 1; i <= info.FilesTotal; ++i) {
    position = directory.RecordAt(position, i).NextPosition;
    recordPos.push_back(static_cast<int32_t>(position - 1));
  }
  return recordPos;
}

}  // namespace

ReaderState ReadDAT(const QString& path, std::shared_ptr<const platform::ArchiveSource> source,
                    const StatusFn& status) {
  checkTrailer(*source);
  status(QStringLiteral("Getting fixed DAT info..."));
  try {
    const dat::FixedDATInfo info = getFixedDATInfo(*source, status);
    status(QStringLiteral("Scanning DAT..."));
    ReaderState state;
    state.RecordPos = scanDAT(*source, info);
    state.Source = std::move(source);
    state.Path = path;
    state.DATSizes = {info.TreeSize, info.DataSize};
    state.FirstRecordOffset = info.DirTreeAddr - 1;
    state.FilesTotal = info.FilesTotal;
    return state;
  } catch (const dat::DatError& error) {
    throw LoadError(LoadError::Unusable, cannotLoad(path, error.message()));
  } catch (const std::bad_alloc&) {
    throw LoadError(LoadError::Unusable,
                    cannotLoad(path, QStringLiteral("there is not enough memory for its directory")));
  }
}

ReaderState LoadDAT(const QString& path, const StatusFn& status) {
  const int fileNo = openNewNumber(path);
  try {
    ReaderState state = ReadDAT(path, platform::SourceOf(fileNo), status);
    state.DatFile = fileNo;
    return state;
  } catch (...) {
    platform::CloseFile(fileNo);
    throw;
  }
}

void CloseAllExcept(int fileNo) {
  for (int n = 1; n <= platform::MaxFileNumber; ++n)
    if (n != fileNo) platform::CloseFile(n);
}

}  // namespace ledgerlamp
