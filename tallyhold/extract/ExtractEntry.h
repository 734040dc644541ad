#pragma once
// Copies one entry of a loaded archive into a file of its own, inflating a
// compressed body straight from the archive on the way. Both extraction
// commands call it once per entry; Extract all as below, Extract selected with
// Layout::Flat and the exclusive flag true:
//
//   ExtractDestination destination(destRoot, ExtractDestination::Layout::Tree);
//   std::unique_ptr<FileDecompressor> decompressor;  // one per run, made when first needed
//   SkippedEntries skipped;
//   for each entry:
//     const ExtractResult result = ExtractEntry(*entry, archiveNumber, decompressor,
//                                               false, destination, showOnLabStatus);
//     if (result.outcome == ExtractOutcome::Skipped) skipped.Add(entry->Filename);
//     if (result.outcome == ExtractOutcome::WriteFailed) { ReportWriteFailure(result); stop the run; }
//   completion text + skipped.CompletionAddition()
#include <QString>
#include <functional>
#include <memory>

namespace tallyhold {

class ClsTreeDir;
class ExtractDestination;
class FileDecompressor;

// Shows a status text on ProgressForm's labStatus at once (the copy does not
// yield to the event loop).
using StatusSink = std::function<void(const QString& text)>;

enum class ExtractOutcome {
  Extracted,   // the file holds exactly the entry's data
  Skipped,     // the entry's data or name are bad; nothing of it was written
  WriteFailed  // the destination refused a write; nothing of the entry was left
};

struct ExtractResult {
  ExtractOutcome outcome = ExtractOutcome::Extracted;
  QString file;    // the file written, or the file or folder that could not be written
  QString reason;  // why the entry was skipped, or the system's reason for the failure
};

// archiveFileNo: the archive's open file (its archive number). decompressor:
// the run's, created here at the first compressed entry. exclusive: the file
// appears under its name only once it is complete (Extract selected passes
// true, Extract all false). status: receives the texts of an entry larger than
// ChunkLimit, copied in pieces; may be empty.
ExtractResult ExtractEntry(const ClsTreeDir& entry, int archiveFileNo,
                           std::unique_ptr<FileDecompressor>& decompressor, bool exclusive,
                           ExtractDestination& destination, const StatusSink& status);

}  // namespace tallyhold
