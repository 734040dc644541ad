#include "ledgerlamp/DATFunctions.h"

#include "common/platform/FileNumbers.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DirectoryWalk.h"

namespace ledgerlamp {
namespace {

QString cannotLoad(const QString& path, const QString& problem) {
  return QStringLiteral("Cannot load %1: %2.").arg(path, problem);
}

// Ledgerlamp's words for a refusal: only the trailer test's is plain.
LoadError refusedAs(const QString& path, const engine::ArchiveRefusal& refusal) {
  if (refusal.kind == engine::ArchiveRefusal::Kind::NotAnArchive)
    return LoadError(LoadError::NotAnArchive, QStringLiteral("This is not a Skarrow 2 DAT file!"));
  return LoadError(LoadError::Unusable, cannotLoad(path, refusal.detail));
}

// The table of record offsets. Throws ArchiveRefused at the first record that
// does not lie wholly inside the directory.
std::vector<int32_t> scanDAT(const platform::ArchiveSource& source, const dat::FixedDATInfo& info) {
  engine::DirectoryWalk walk(source, info);
  std::vector<int32_t> recordPos;
  // The table grows with the records read, not with the count the file claims.
  recordPos.push_back(static_cast<int32_t>(walk.Position() - 1));
  while (!walk.AtEnd()) {
    walk.Next();
    recordPos.push_back(static_cast<int32_t>(walk.Position() - 1));
  }
  return recordPos;
}

}  // namespace

ReaderState ReadDAT(const QString& path, std::shared_ptr<const platform::ArchiveSource> source,
                    const StatusFn& status) {
  const QString step = QStringLiteral("Getting fixed DAT info...");
  // The first value is read once the trailer test has passed.
  const engine::OpenedArchive opened = engine::OpenArchive(std::move(source), [&status, &step](const char* value) {
    if (qstrcmp(value, "DATSizes") == 0) status(step);
    status(step + ' ' + QLatin1String(value));
  });
  if (!opened) throw refusedAs(path, opened.Refusal);
  try {
    status(QStringLiteral("Scanning DAT..."));
    ReaderState state;
    state.RecordPos = scanDAT(*opened.Source, opened.Info);
    state.Source = opened.Source;
    state.Path = path;
    state.DATSizes = {opened.Info.TreeSize, opened.Info.DataSize};
    state.FirstRecordOffset = opened.Info.DirTreeAddr - 1;
    state.FilesTotal = opened.Info.FilesTotal;
    return state;
  } catch (const engine::ArchiveRefused& refused) {
    throw refusedAs(path, refused.refusal());
  } catch (const std::bad_alloc&) {
    throw LoadError(LoadError::Unusable,
                    cannotLoad(path, QStringLiteral("there is not enough memory for its directory")));
  }
}

ReaderState LoadDAT(const QString& path, const StatusFn& status) {
  QString reason;
  const int fileNo = platform::OpenFreeFile(path, &reason);
  if (!fileNo) throw LoadError(LoadError::Unusable, cannotLoad(path, reason));
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
