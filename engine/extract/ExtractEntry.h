#pragma once
// Copies one entry of a loaded archive into a file of its own, inflating a
// compressed body straight from the archive on the way. The file appears under
// its name only when it is complete; a skipped or failed entry leaves nothing.
// ExtractionRun goes through the same steps with EntryCopy, so that bodies may
// be written on its workers.
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "common/platform/ArchiveSource.h"
#include "engine/extract/OutputPaths.h"

namespace platform {
class SafeFile;
}

namespace engine {

class ClsTreeDir;
class FileDecompressor;

// What happens while one entry is copied. The copy does not yield to the
// event loop, so these are the moments to repaint.
class EntryObserver {
 public:
  virtual ~EntryObserver() = default;
  // The texts of an entry larger than ChunkLimit, copied in pieces.
  virtual void EntryStatus(const QString& /*text*/) {}
  // Called after every piece and every MiB inflated.
  virtual void Working() {}
};

enum class ExtractOutcome {
  Extracted,    // the file holds exactly the entry's data
  Skipped,      // the entry's data or name are bad; nothing of it was written
  WriteFailed,  // the destination refused a write; nothing of the entry was left
  Stopped,      // the run was stopped while the entry was copied; nothing of it was left
  Kept          // a destination that keeps existing files had one under the entry's name
};

struct ExtractResult {
  ExtractOutcome outcome = ExtractOutcome::Extracted;
  QString file;    // the file written, or the file or folder that could not be written
  QString reason;  // why the entry was skipped, or the system's reason for the failure
  // Where an extracted file went, and whether it took the place of one that was there.
  DestFolder folder;
  std::string name;
  bool replaced = false;
  // Bytes of a compressed body after the end of its stream: allowed, but worth a note.
  qint64 trailing = 0;

  static ExtractResult Skip(const QString& reason) {
    ExtractResult result;
    result.outcome = ExtractOutcome::Skipped;
    result.reason = reason;
    return result;
  }
  static ExtractResult Stop() {
    ExtractResult result;
    result.outcome = ExtractOutcome::Stopped;
    return result;
  }
  static ExtractResult Failure(const QString& file, const QString& reason) {
    ExtractResult result;
    result.outcome = ExtractOutcome::WriteFailed;
    result.file = file;
    result.reason = reason;
    return result;
  }
};

// archive: the archive's bytes, read by every thread that writes a body. decompressor:
// the run's, made here at the first compressed entry.
ExtractResult ExtractEntry(const ClsTreeDir& entry, const platform::ArchiveSource& archive,
                           std::unique_ptr<FileDecompressor>& decompressor, ExtractDestination& destination,
                           EntryObserver& observer);

// ExtractEntry in its three steps, so that bodies may be written on other
// threads: Prepare and Commit on the thread that owns the destination (they
// resolve and change names), WriteBody on any thread. Each step throws
// EntryDataError, DestinationError or EntryStopped; Settled turns that into
// the result.
class EntryCopy {
 public:
  EntryCopy(const ClsTreeDir& entry, const platform::ArchiveSource& archive);
  ~EntryCopy();
  EntryCopy(const EntryCopy&) = delete;
  EntryCopy& operator=(const EntryCopy&) = delete;

  // The copy ends once stop says so, asked when Working would be (on the
  // thread that writes the body); without it an entry is always copied whole.
  void StopWhen(std::function<bool()> stop);
  // Checks the entry and finds the folder and the name of its file. Without a
  // destination the entry is only checked, and its body is read and inflated
  // for nothing.
  void Prepare(ExtractDestination* destination);
  // Checks that the name can take a file, and writes the body into a hidden
  // file in the entry's folder (removed unless committed); a file already
  // under the name that the destination keeps ends the entry as Kept.
  void WriteBody(std::unique_ptr<FileDecompressor>& decompressor, EntryObserver& observer);
  // The body, inflated when compressed, to the sink in pieces; the sink's
  // bytes of a damaged body stop where the damage is found.
  using Sink = std::function<void(const char* data, qint64 size)>;
  void Pour(std::unique_ptr<FileDecompressor>& decompressor, EntryObserver& observer, const Sink& sink);
  ExtractResult Commit();

 private:
  void checkStop() const;

  const ClsTreeDir& entry_;
  const platform::ArchiveSource& archive_;
  ExtractResult result_;
  bool keepExisting_ = false;
  std::unique_ptr<platform::SafeFile> out_;
  std::function<bool()> stop_;
};

// The step's result, or the result of what it threw.
ExtractResult Settled(const std::function<ExtractResult()>& step);

}  // namespace engine
