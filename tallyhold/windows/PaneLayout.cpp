#include "tallyhold/windows/PaneLayout.h"

#include <algorithm>
#include <cmath>

namespace tallyhold {
namespace {

int atLeastZero(int twips) { return std::max(twips, 0); }

}  // namespace

PaneLayout LayOutPanes(int outerWidth, int outerHeight) {
  // Rounds halves to the even neighbour, the default rounding mode.
  const int a = static_cast<int>(std::nearbyint(outerWidth / 3.0));
  const int b = outerWidth - a;
  PaneLayout layout;
  layout.FrameTreeView = QRect(0, 0, atLeastZero(a), atLeastZero(outerHeight - 400));
  layout.FrameListView = QRect(layout.FrameTreeView.width() + 20, 0, atLeastZero(b - 170),
                               atLeastZero(outerHeight - 400));
  layout.TreeView = QRect(60, 180, atLeastZero(layout.FrameTreeView.width() - 150),
                          atLeastZero(layout.FrameTreeView.height() - 280));
  layout.ListView = QRect(60, 150, atLeastZero(layout.FrameListView.width() - 150),
                          atLeastZero(layout.FrameListView.height() - 230));
  return layout;
}

}  // namespace tallyhold
