#include "tallyhold/windows/ListFolder.h"

#include <QTreeView>

#include "common/platform/MousePointer.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"

namespace tallyhold {

void ListFolder(int32_t archiveNumber, int32_t windowSlot, const QByteArray& folderPath) {
  DAT_Container* found = WindowInSlot(windowSlot);
  if (!found) return;
  DAT_Container& window = *found;
  window.ShowListing({});
  platform::SetWidgetPointer(window.ListView, platform::MousePointer::Hourglass);
  window.ListView->repaint();
  window.Frame().SetStatus(QStringLiteral("Listing entries..."));
  FolderListing listing = FolderListing::Of(DATFiles->Item(archiveNumber)->ColTrees(), folderPath);
  const QString status = listing.StatusText();
  window.ShowListing(std::move(listing));
  platform::SetWidgetPointer(window.ListView, platform::MousePointer::Arrow);
  window.Frame().SetStatus(status);
}

}  // namespace tallyhold
