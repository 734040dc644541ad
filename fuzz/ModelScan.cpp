#include "fuzz/ModelScan.h"

#include "common/dat/DatFormat.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "fuzz/FuzzSupport.h"

using namespace engine;

namespace {

int filedEntries(ClsDatFile& archive) {
  int count = 0;
  for (const auto& folder : archive.ColTrees()) count += folder->Count();
  return count;
}

}  // namespace

void ScanInto(const platform::ArchiveSource& source, ClsDatFile& archive) {
  try {
    const dat::FixedDATInfo info = dat::GetFixedDATInfo(source);
    archive.SetFixedInfo(info);
    DirTreeReader reader(source, archive);
    for (int i = 0; i < info.FilesTotal; ++i) {
      for (const TreeNode& node : reader.ReadNext()) Require(!node.Key.isEmpty(), "node without key");
      Require(filedEntries(archive) == reader.RecordsRead(), "every record read is filed once");
    }
  } catch (const dat::DatError&) {
  } catch (const ArchiveRefused&) {
  }
}
