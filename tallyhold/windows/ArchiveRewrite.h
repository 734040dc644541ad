#pragma once
// Writing an archive of Tallyhold's anew (Delete, Add files): the plan's
// bodies written under a hidden name in the archive's folder, with the
// progress window and its Cancel, and renamed in over the old archive only
// when complete, so that a Cancel or a failure leaves the old one whole.
#include <QString>
#include <memory>
#include <vector>

#include "common/platform/ArchiveSource.h"
#include "engine/pack/ArchivePatch.h"

namespace tallyhold {

// The files a plan packs, from the input folders they were walked from.
struct RewriteInput {
  engine::InputTree tree;
  std::vector<const platform::FolderHandle*> roots;
};

// The archive's entries in the order of its directory records. Throws
// engine::ArchiveRefused for a record that does not lie inside the directory.
engine::OldDirectory OldDirectoryOf(const std::shared_ptr<const platform::ArchiveSource>& source);

// Writes the plan over the archive at path, whose open file is source;
// true once the new archive is in place. Every failure and a Cancel are
// told in a box.
bool RewriteArchive(const QString& path, const platform::ArchiveSource& source,
                    const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
                    const RewriteInput& input);

}  // namespace tallyhold
