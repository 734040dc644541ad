#include "tallyhold/extract/ExtractEntry.h"

#include <QFile>
#include <functional>
#include <memory>
#include <new>

#include "common/platform/FileNumbers.h"
#include "common/platform/SafeFile.h"
#include "tallyhold/archive/ClsTreeDir.h"
#include "tallyhold/archive/CommonFunctions.h"
#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/FileDecompressor.h"
#include "tallyhold/extract/PiecePlan.h"

namespace tallyhold {
namespace {

using Consumer = std::function<void(const char* data, qint64 size)>;

// Every buffer is at most one piece, whatever the sizes say: a stored entry
// must be as long as its body, and the body must lie inside the archive.
void checkEntry(const ClsTreeDir& entry, int fileNo) {
  const QString unsafe = UnsafeNameReason(entry.Filename);
  if (!unsafe.isEmpty()) throw EntryDataError(unsafe);
  if (!entry.IsCompressed() && entry.RealSize != entry.PackedSize)
    throw EntryDataError(QStringLiteral("it is stored as it is, but its RealSize (%1) differs from its "
                                        "PackedSize (%2)")
                             .arg(QString::number(entry.RealSize), QString::number(entry.PackedSize)));
  const qint64 offset = entry.Offset, length = entry.PackedSize;
  if (offset < 0 || length < 0 || offset + length > platform::FileLength(fileNo))
    throw EntryDataError(QStringLiteral("its data lie outside the archive (%1 bytes at offset %2)")
                             .arg(QString::number(length), QString::number(offset)));
  if (entry.IsCompressed() && entry.RealSize < 0)
    throw EntryDataError(QStringLiteral("its RealSize is negative (%1)").arg(entry.RealSize));
}

void readBody(int fileNo, qint64 offset, qint64 size, char* buffer) {
  if (platform::ReadAt(fileNo, offset + 1, buffer, size) != size)
    throw EntryDataError(QStringLiteral("its data could not be read from the archive"));
}

void copyInPieces(const ClsTreeDir& entry, int fileNo, const Consumer& consume, EntryObserver& observer) {
  const QString name = QString::fromLatin1(entry.Filename);
  observer.EntryStatus("File " + name + " to big for extraction, processing...");
  const PiecePlan plan = PlanPieces(entry.PackedSize);
  const auto buffer = std::make_unique_for_overwrite<char[]>(
      std::max(plan.PieceSize, plan.SizeOf(plan.PieceCount)));
  qint64 offset = entry.Offset;
  for (int k = 1; k <= plan.PieceCount; ++k) {
    observer.EntryStatus("Extracting " + name + " " + QString::number(k) + "/" + QString::number(plan.PieceCount));
    readBody(fileNo, offset, plan.SizeOf(k), buffer.get());
    consume(buffer.get(), plan.SizeOf(k));
    offset += plan.SizeOf(k);
    observer.Working();
  }
  if (entry.IsCompressed()) observer.EntryStatus("Decompressing " + name);
}

void copyBody(const ClsTreeDir& entry, int fileNo, const Consumer& consume, EntryObserver& observer) {
  if (NeedsPieces(entry.PackedSize)) return copyInPieces(entry, fileNo, consume, observer);
  const auto buffer = std::make_unique_for_overwrite<char[]>(entry.PackedSize);
  readBody(fileNo, entry.Offset, entry.PackedSize, buffer.get());
  consume(buffer.get(), entry.PackedSize);
}

ExtractResult writeEntry(const ClsTreeDir& entry, int fileNo, std::unique_ptr<FileDecompressor>& decompressor,
                         ExtractDestination& destination, EntryObserver& observer) {
  checkEntry(entry, fileNo);
  ExtractResult result;
  result.folder = destination.FolderFor(entry);
  result.name = DiskName(GetFileName(entry.Filename));
  result.file = ShownPath(result.folder.shown, result.name);
  // In a folder this run made, only this run's own files can stand under the name.
  if (!result.folder.made)
    if (const int error = platform::SafeFile::CheckName(*result.folder.handle, result.name))
      ThrowForSystemError(error, result.file);
  platform::SafeFile out;
  if (const int error = out.Create(result.folder.handle, "tallyhold"))
    ThrowForSystemError(error, result.folder.shown);
  const Consumer write = [&](const char* data, qint64 size) {
    if (const int error = out.Write(data, size)) ThrowForSystemError(error, result.file);
  };
  if (!entry.IsCompressed()) {
    copyBody(entry, fileNo, write, observer);
  } else {
    if (!decompressor) decompressor = std::make_unique<FileDecompressor>();
    FileDecompressor& inflater = *decompressor;
    inflater.Begin(entry.RealSize, [&](const char* data, qint64 size) {
      write(data, size);
      observer.Working();
    });
    copyBody(entry, fileNo, [&inflater](const char* data, qint64 size) { inflater.Feed(data, size); }, observer);
    inflater.End();
  }
  if (const int error = out.Commit(result.name, &result.replaced)) ThrowForSystemError(error, result.file);
  return result;
}

}  // namespace

ExtractResult ExtractEntry(const ClsTreeDir& entry, int archiveFileNo,
                           std::unique_ptr<FileDecompressor>& decompressor, ExtractDestination& destination,
                           EntryObserver& observer) {
  try {
    return writeEntry(entry, archiveFileNo, decompressor, destination, observer);
  } catch (const EntryDataError& error) {
    return {ExtractOutcome::Skipped, {}, error.reason()};
  } catch (const DestinationError& error) {
    return {ExtractOutcome::WriteFailed, error.file(), error.reason()};
  } catch (const std::bad_alloc&) {
    return {ExtractOutcome::Skipped, {}, QStringLiteral("there was not enough memory to extract it")};
  }
}

}  // namespace tallyhold
