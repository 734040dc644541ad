#include "tallyhold/extract/ExtractEntry.h"

#include <memory>

#include "common/platform/FileNumbers.h"
#include "tallyhold/archive/ClsTreeDir.h"
#include "tallyhold/archive/CommonFunctions.h"
#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/FileDecompressor.h"
#include "tallyhold/extract/OutputFile.h"
#include "tallyhold/extract/OutputPaths.h"
#include "tallyhold/extract/PiecePlan.h"

namespace tallyhold {
namespace {

using Consumer = std::function<void(const char* data, qint64 size)>;

// A stored entry read whole is RealSize bytes; everything else is PackedSize.
qint64 copiedLength(const ClsTreeDir& entry) {
  return entry.IsCompressed() || NeedsPieces(entry.PackedSize) ? entry.PackedSize : entry.RealSize;
}

void checkEntry(const ClsTreeDir& entry, int fileNo) {
  const QString unsafe = UnsafeNameReason(entry.Filename);
  if (!unsafe.isEmpty()) throw EntryDataError(unsafe);
  const qint64 length = copiedLength(entry);
  if (entry.Offset < 0 || length < 0 || entry.Offset + length > platform::FileLength(fileNo))
    throw EntryDataError(QStringLiteral("its data lie outside the archive (%1 bytes at offset %2)")
                             .arg(length)
                             .arg(entry.Offset));
  if (entry.IsCompressed() && entry.RealSize < 0)
    throw EntryDataError(QStringLiteral("its RealSize is negative (%1)").arg(entry.RealSize));
}

void readBody(int fileNo, qint64 offset, qint64 size, char* buffer) {
  if (platform::ReadAt(fileNo, offset + 1, buffer, size) != size)
    throw EntryDataError(QStringLiteral("its data could not be read from the archive"));
}

void show(const StatusSink& status, const QString& text) {
  if (status) status(text);
}

void copyInPieces(const ClsTreeDir& entry, int fileNo, const Consumer& consume, const StatusSink& status) {
  const QString name = QString::fromLatin1(entry.Filename);
  show(status, "File " + name + " to big for extraction, processing...");
  const PiecePlan plan = PlanPieces(entry.PackedSize);
  const auto buffer = std::make_unique_for_overwrite<char[]>(
      std::max(plan.PieceSize, plan.SizeOf(plan.PieceCount)));
  qint64 offset = entry.Offset;
  for (int k = 1; k <= plan.PieceCount; ++k) {
    show(status, "Extracting " + name + " " + QString::number(k) + "/" + QString::number(plan.PieceCount));
    readBody(fileNo, offset, plan.SizeOf(k), buffer.get());
    consume(buffer.get(), plan.SizeOf(k));
    offset += plan.SizeOf(k);
  }
  if (entry.IsCompressed()) show(status, "Decompressing " + name);
}

void copyBody(const ClsTreeDir& entry, int fileNo, const Consumer& consume, const StatusSink& status) {
  if (NeedsPieces(entry.PackedSize)) return copyInPieces(entry, fileNo, consume, status);
  const qint64 length = copiedLength(entry);
  const auto buffer = std::make_unique_for_overwrite<char[]>(length);
  readBody(fileNo, entry.Offset, length, buffer.get());
  consume(buffer.get(), length);
}

QString writeEntry(const ClsTreeDir& entry, int fileNo, std::unique_ptr<FileDecompressor>& decompressor,
                   bool exclusive, ExtractDestination& destination, const StatusSink& status) {
  checkEntry(entry, fileNo);
  OutputFile out(destination.FolderFor(entry), DiskName(GetFileName(entry.Filename)), exclusive);
  if (!entry.IsCompressed()) {
    copyBody(entry, fileNo, [&out](const char* data, qint64 size) { out.Write(data, size); }, status);
  } else {
    if (!decompressor) decompressor = std::make_unique<FileDecompressor>();
    FileDecompressor& inflater = *decompressor;
    inflater.Begin(entry.RealSize, out);
    copyBody(entry, fileNo, [&inflater](const char* data, qint64 size) { inflater.Feed(data, size); }, status);
    inflater.End();
  }
  out.Commit();
  return out.Path();
}

}  // namespace

ExtractResult ExtractEntry(const ClsTreeDir& entry, int archiveFileNo,
                           std::unique_ptr<FileDecompressor>& decompressor, bool exclusive,
                           ExtractDestination& destination, const StatusSink& status) {
  try {
    return {ExtractOutcome::Extracted,
            writeEntry(entry, archiveFileNo, decompressor, exclusive, destination, status), {}};
  } catch (const EntryDataError& error) {
    return {ExtractOutcome::Skipped, {}, error.reason()};
  } catch (const DestinationError& error) {
    return {ExtractOutcome::WriteFailed, error.file(), error.reason()};
  }
}

}  // namespace tallyhold
