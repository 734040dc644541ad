#include "engine/extract/ExtractEntry.h"

#include <cerrno>
#include <functional>
#include <memory>
#include <new>

#include "common/platform/SafeFile.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/CommonFunctions.h"
#include "engine/extract/ExtractErrors.h"
#include "engine/extract/FileDecompressor.h"
#include "engine/extract/PiecePlan.h"

namespace engine {
namespace {

// Every buffer is at most one piece, whatever the sizes say: the body must lie
// inside the archive, and a stored entry read at once (RealSize bytes) inside
// its body.
void checkEntry(const ClsTreeDir& entry, const platform::ArchiveSource& archive) {
  const QString unsafe = UnsafeNameReason(entry.Filename);
  if (!unsafe.isEmpty()) throw EntryDataError(unsafe);
  if (!entry.IsCompressed() && entry.RealSize > entry.PackedSize)
    throw EntryDataError(QStringLiteral("it is stored as it is, but its RealSize (%1) exceeds its "
                                        "PackedSize (%2)")
                             .arg(QString::number(entry.RealSize), QString::number(entry.PackedSize)));
  const qint64 offset = entry.Offset, length = entry.PackedSize;
  if (offset < 0 || length < 0 || offset + length > archive.Length())
    throw EntryDataError(QStringLiteral("its data lie outside the archive (%1 bytes at offset %2)")
                             .arg(QString::number(length), QString::number(offset)));
  if (entry.RealSize < 0)
    throw EntryDataError(QStringLiteral("its RealSize is negative (%1)").arg(entry.RealSize));
}

void readBody(const platform::ArchiveSource& archive, qint64 offset, qint64 size, char* buffer) {
  if (platform::ReadFully(archive, offset + 1, buffer, size) != size)
    throw EntryDataError(QStringLiteral("its data could not be read from the archive"));
}

// working: called after every piece.
void copyInPieces(const ClsTreeDir& entry, const platform::ArchiveSource& archive, const EntryCopy::Sink& consume,
                  EntryObserver& observer, const std::function<void()>& working) {
  const QString name = QString::fromLatin1(entry.Filename);
  observer.EntryStatus("File " + name + " to big for extraction, processing...");
  const PiecePlan plan = PlanPieces(entry.PackedSize);
  const auto buffer = std::make_unique_for_overwrite<char[]>(
      std::max(plan.PieceSize, plan.SizeOf(plan.PieceCount)));
  qint64 offset = entry.Offset;
  for (int k = 1; k <= plan.PieceCount; ++k) {
    observer.EntryStatus("Extracting " + name + " " + QString::number(k) + "/" + QString::number(plan.PieceCount));
    readBody(archive, offset, plan.SizeOf(k), buffer.get());
    consume(buffer.get(), plan.SizeOf(k));
    offset += plan.SizeOf(k);
    working();
  }
  if (entry.IsCompressed()) observer.EntryStatus("Decompressing " + name);
}

void copyBody(const ClsTreeDir& entry, const platform::ArchiveSource& archive, const EntryCopy::Sink& consume,
              EntryObserver& observer, const std::function<void()>& working) {
  if (NeedsPieces(entry.PackedSize)) return copyInPieces(entry, archive, consume, observer, working);
  const qint64 length = entry.IsCompressed() ? entry.PackedSize : entry.RealSize;
  const auto buffer = std::make_unique_for_overwrite<char[]>(length);
  readBody(archive, entry.Offset, length, buffer.get());
  consume(buffer.get(), length);
}

}  // namespace

EntryCopy::EntryCopy(const ClsTreeDir& entry, const platform::ArchiveSource& archive)
    : entry_(entry), archive_(archive) {}

EntryCopy::~EntryCopy() = default;

void EntryCopy::Prepare(ExtractDestination* destination) {
  checkEntry(entry_, archive_);
  if (!destination) return;
  result_.folder = destination->FolderFor(entry_);
  keepExisting_ = destination->KeepsExistingFiles();
  result_.name = DiskName(GetFileName(entry_.Filename));
  result_.file = ShownPath(result_.folder.shown, result_.name);
}

void EntryCopy::WriteBody(std::unique_ptr<FileDecompressor>& decompressor, EntryObserver& observer) {
  if (!result_.folder.handle) return Pour(decompressor, observer, [](const char*, qint64) {});
  // In a folder this run made, only this run's own files can stand under the name.
  if (!result_.folder.made) {
    if (keepExisting_ && platform::SafeFile::NameTaken(*result_.folder.handle, result_.name)) {
      result_.outcome = ExtractOutcome::Kept;
      return;
    }
    if (const int error = platform::SafeFile::CheckName(*result_.folder.handle, result_.name))
      ThrowForSystemError(error, result_.file);
  }
  out_ = std::make_unique<platform::SafeFile>();
  if (const int error = out_->Create(result_.folder.handle, HiddenPrefix))
    ThrowForSystemError(error, result_.folder.shown);
  Pour(decompressor, observer, [this](const char* data, qint64 size) {
    if (const int error = out_->Write(data, size)) ThrowForSystemError(error, result_.file);
  });
  if (const int error = out_->Close()) ThrowForSystemError(error, result_.file);
}

void EntryCopy::StopWhen(std::function<bool()> stop) { stop_ = std::move(stop); }

void EntryCopy::checkStop() const {
  if (stop_ && stop_()) throw EntryStopped();
}

void EntryCopy::Pour(std::unique_ptr<FileDecompressor>& decompressor, EntryObserver& observer, const Sink& sink) {
  const auto working = [&] {
    observer.Working();
    checkStop();
  };
  checkStop();
  if (!entry_.IsCompressed()) return copyBody(entry_, archive_, sink, observer, working);
  if (!decompressor) decompressor = std::make_unique<FileDecompressor>();
  FileDecompressor& inflater = *decompressor;
  inflater.Begin(entry_.RealSize, [&](const char* data, qint64 size) {
    sink(data, size);
    working();
  });
  copyBody(
      entry_, archive_, [&inflater](const char* data, qint64 size) { inflater.Feed(data, size); }, observer,
      working);
  inflater.End();
  result_.trailing = inflater.Trailing();
}

// The archive itself may stand under the name (an entry named like it,
// extracted into its folder): it is never replaced.
ExtractResult EntryCopy::Commit() {
  if (!out_) return result_;
  if (keepExisting_) {
    const int error = out_->CommitIfFree(result_.name);
    if (error == EEXIST) result_.outcome = ExtractOutcome::Kept;
    if (error && error != EEXIST) ThrowForSystemError(error, result_.file);
    return result_;
  }
  const int error = out_->Commit(result_.name, &result_.replaced, archive_.FileIdentity());
  if (error == platform::SafeFile::KeptInPlace)
    throw EntryDataError(QStringLiteral("it would replace the archive being read"));
  if (error) ThrowForSystemError(error, result_.file);
  return result_;
}

ExtractResult Settled(const std::function<ExtractResult()>& step) {
  try {
    return step();
  } catch (const EntryDataError& error) {
    return ExtractResult::Skip(error.reason());
  } catch (const DestinationError& error) {
    return ExtractResult::Failure(error.file(), error.reason());
  } catch (const std::bad_alloc&) {
    return ExtractResult::Skip(QStringLiteral("there was not enough memory to extract it"));
  } catch (const EntryStopped&) {
    return ExtractResult::Stop();
  }
}

ExtractResult ExtractEntry(const ClsTreeDir& entry, const platform::ArchiveSource& archive,
                           std::unique_ptr<FileDecompressor>& decompressor, ExtractDestination& destination,
                           EntryObserver& observer) {
  return Settled([&] {
    EntryCopy copy(entry, archive);
    copy.Prepare(&destination);
    copy.WriteBody(decompressor, observer);
    return copy.Commit();
  });
}

}  // namespace engine
