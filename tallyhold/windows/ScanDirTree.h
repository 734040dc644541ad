#pragma once
#include <cstdint>

namespace tallyhold {

class Main_Container;

// Reads the whole directory of the archive just opened under fileNo into its
// folders and into the tree of the window in slot LastWindowIndex, with
// progress and Cancel, and lists its top level. False when the user stopped it
// or the directory could not be read: then nothing of the archive remains.
bool ScanDirTree(Main_Container& frame, int fileNo, int32_t archiveNumber);

}  // namespace tallyhold
