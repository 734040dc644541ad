#include "tallyhold/extract/ExtractionRun.h"

#include "tallyhold/archive/ClsTreeDir.h"
#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/FileDecompressor.h"

namespace tallyhold {

ExtractionRun::ExtractionRun(int archiveFileNo, ExtractDestination& destination, RunObserver& observer,
                             std::function<bool()> stopRequested)
    : archiveFileNo_(archiveFileNo),
      destination_(destination),
      observer_(observer),
      stopRequested_(std::move(stopRequested)) {}

ExtractionRun::~ExtractionRun() = default;

bool ExtractionRun::OpenDestination() {
  try {
    destination_.Root();
    return true;
  } catch (const DestinationError& error) {
    fail({ExtractOutcome::WriteFailed, error.file(), error.reason()});
    return false;
  }
}

bool ExtractionRun::MakeFolders(const QList<QByteArray>& folderPaths) {
  for (const QByteArray& folder : folderPaths) {
    try {
      destination_.FolderOf(folder + '\\');
    } catch (const EntryDataError&) {
    } catch (const DestinationError& error) {
      fail({ExtractOutcome::WriteFailed, error.file(), error.reason()});
      return false;
    }
  }
  return true;
}

void ExtractionRun::Extract(const std::vector<const ClsTreeDir*>& entries, OnStop onStop) {
  for (const ClsTreeDir* entry : entries) {
    if (stopRequested_()) {
      report_.end = RunEnd::Stopped;
      observer_.Stopping();
      if (onStop == OnStop::RemoveNewFiles) removeNewFiles();
      return;
    }
    observer_.EntryStarting(*entry);
    ExtractResult result = ExtractEntry(*entry, archiveFileNo_, decompressor_, destination_, observer_);
    if (result.outcome == ExtractOutcome::WriteFailed) return fail(result);
    if (result.outcome == ExtractOutcome::Skipped) report_.skipped.Add(entry->Filename, result.reason);
    if (result.outcome == ExtractOutcome::Extracted) ++report_.extracted;
    observer_.EntryDone(*entry, result);
    if (onStop == OnStop::RemoveNewFiles && result.outcome == ExtractOutcome::Extracted && !result.replaced)
      newFiles_.push_back(std::move(result));
  }
}

void ExtractionRun::fail(const ExtractResult& failure) {
  report_.end = RunEnd::Failed;
  report_.failure = failure;
}

void ExtractionRun::removeNewFiles() {
  for (const ExtractResult& file : newFiles_) file.folder.handle->Remove(file.name);
  newFiles_.clear();
}

}  // namespace tallyhold
