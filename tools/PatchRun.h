#pragma once
// What add and delete share: the plan either told (--dry-run) or written as a new archive under a
// hidden name in the archive's folder and renamed in over the old one only
// when complete, so that a failure or a kill leaves the old archive whole.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "engine/pack/ArchivePatch.h"
#include "tools/ToolArchive.h"

namespace tools {

// Runs the command on the archive at path (standard input for "-") and its
// entries, read whole before the command acts; a refusal as WithArchive.
int WithOldEntries(const QString& path,
                   const std::function<int(const ToolArchive&, const std::vector<engine::OldEntry>&)>& command);

// The files a plan packs, from the input folders they were walked from.
struct PatchInput {
  engine::InputTree tree;
  std::vector<const platform::FolderHandle*> roots;
  engine::PackOptions options;
};

// Tells the refusals, or the changes when dryRun, or writes the new archive
// (to standard output when the old one came on standard input); the exit
// status.
int ApplyPatch(const ToolArchive& archive, const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
               const PatchInput& input, bool dryRun, bool quiet);

}  // namespace tools
