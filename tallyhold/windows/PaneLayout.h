#pragma once
// Where the panes of an archive window go for a given outer size, all in twips:
// the tree frame takes a third of the width, the list frame starts 20 to its
// right and ends 150 short of the outer width.
#include <QRect>

namespace tallyhold {

struct PaneLayout {
  QRect FrameTreeView;
  QRect FrameListView;
  QRect TreeView;  // inside FrameTreeView
  QRect ListView;  // inside FrameListView
};

// No size is ever negative: a window too small for the panes gets empty ones.
PaneLayout LayOutPanes(int outerWidth, int outerHeight);

}  // namespace tallyhold
