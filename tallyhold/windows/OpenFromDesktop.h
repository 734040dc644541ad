#pragma once
// Archives given on the command line or dropped on the frame open as "Open
// DAT..." opens a chosen file.
#include <QStringList>

namespace tallyhold {

class Main_Container;

// Each in turn, with the status line, the checks and the boxes of a refused
// file; the others open.
void OpenArchives(Main_Container& frame, const QStringList& paths);

// Files dropped on the frame, or on any window in it, open so.
void AcceptArchiveDrops(Main_Container& frame);

}  // namespace tallyhold
