#pragma once
#include <QByteArray>
#include <cstdint>

namespace tallyhold {

// Fills the list pane of the window in the slot with the entries of one folder
// of the archive (path as in TreePath: "ART\CRITTERS\" or "\"), and tells the
// count in the status line.
void ListFolder(int32_t archiveNumber, int32_t windowSlot, const QByteArray& folderPath);

}  // namespace tallyhold
