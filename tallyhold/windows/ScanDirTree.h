#pragma once
#include <cstdint>

namespace tallyhold {

class DAT_Container;
class Main_Container;

// Reads the whole directory of the archive just opened under fileNo into its
// folders and into the tree of its window, with progress and Cancel, and lists
// its top level. False when the user stopped it or the directory could not be
// read: then nothing of the archive remains and its window is closed.
bool ScanDirTree(Main_Container& frame, DAT_Container& window, int fileNo, int32_t archiveNumber);

}  // namespace tallyhold
