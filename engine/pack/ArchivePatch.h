#pragma once
// Changing an archive by writing it anew: the entries kept have their bodies
// copied from the old archive's file as they are, never inflated and
// compressed again, and the new files are packed as create packs them. The
// new directory is in the order create gives (names sorted, the files of a
// folder before the folders in it), so that adding a file to an archive
// create made gives the archive create would make of the whole folder. The
// kept bodies stay in the order they had in the old file, each new body
// before the first kept one whose name comes after it: in an archive
// create made that is the directory's order, and in any other the kept
// bodies still lie next to each other and are copied many at once.
#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <functional>
#include <vector>

#include "engine/pack/ArchivePacker.h"
#include "engine/pack/InputTree.h"
#include "engine/pack/NameOrder.h"
#include "engine/pack/OldDirectory.h"

namespace engine {

class DatArchiveWriter;

struct PatchPlan {
  // The new archive's entries in the order of their bodies: an old entry's
  // index, or ~i for the tree's file i.
  std::vector<int> bodies;
  // The directory: each record by its entry's place in bodies.
  std::vector<int> records;
  QStringList changes;  // "add NAME", "replace NAME", "delete NAME"
  QStringList refused;  // "NAME: reason"; nothing may be written
  qint64 copiedBytes = 0;
};

// The tree's files replace the old entries of the same name without letter
// case and are added beside the others. They take the spelling of the
// folders the archive has already (readers take folders without letter case,
// so two spellings would be one folder), and are put in the new order.
// archiveLength: every body kept must lie inside it.
PatchPlan PlanAdd(const std::vector<OldEntry>& old, qint64 archiveLength, InputTree& tree);

// The old entries without those marked.
PatchPlan PlanDelete(const std::vector<OldEntry>& old, qint64 archiveLength, const std::vector<bool>& deleted);

// Writes the plan's bodies: the kept ones copied from oldFile in runs of
// those that lie next to each other, the tree's files packed between them;
// the writer's Finish takes plan.records. packed: told the bytes of each
// body written. Throws ArchiveWriteError as PackFiles does.
PackResult WritePatch(const PatchPlan& plan, const std::vector<OldEntry>& old, int oldFile, const InputTree& tree,
                      const std::vector<const platform::FolderHandle*>& roots, const PackOptions& options,
                      DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
                      const std::function<bool()>& stopRequested);

}  // namespace engine
