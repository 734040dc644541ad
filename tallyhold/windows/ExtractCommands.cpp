// The two extraction commands of the frame: the Tools items, the popups' items
// and the archive windows' "r" and "s" keys all come here. They gather what the
// dialogs need from the active archive window and show them, not modal; a
// dialog disables the frame while it is open.
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "common/platform/DialogService.h"
#include "tallyhold/archive/Globals.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"

namespace tallyhold {
namespace {

// The list pane of the active archive window holds entries to extract: at
// least one row, and the first is neither empty nor the "Empty folder" row.
bool activeListHasEntries() {
  const DAT_Container* window = WindowInSlot(NumberOf(ActiveDAT.WindowIndex));
  if (!window) return false;
  const FolderListing& listing = window->Listing();
  const QString first = listing.RowCount() > 0 ? listing.Cell(0, 0) : QString();
  return !first.isEmpty() && first != QLatin1String("Empty folder");
}

// Every node after the root node "\", parents before their children.
void collectFolders(const QTreeWidgetItem* node, QList<QByteArray>& folders) {
  folders << FullPath(node);
  for (int i = 0; i < node->childCount(); ++i) collectFolders(node->child(i), folders);
}

QList<QByteArray> treeFolders(const QTreeWidget& tree) {
  QList<QByteArray> folders;
  for (int i = 1; i < tree.topLevelItemCount(); ++i) collectFolders(tree.topLevelItem(i), folders);
  return folders;
}

// The folder key of the selected node: its full path with a trailing "\"
// ("\" alone for the root node); empty when no node is selected.
QByteArray selectedFolderKey(const QTreeWidget& tree) {
  const QList<QTreeWidgetItem*> selected = tree.selectedItems();
  if (selected.isEmpty()) return {};
  QByteArray key = FullPath(selected.first());
  if (!key.endsWith('\\')) key += '\\';
  return key;
}

QStringList selectedNames(const DAT_Container& window) {
  QModelIndexList rows = window.ListView->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end());
  QStringList names;
  for (const QModelIndex& row : rows) names << window.Listing().Cell(row.row(), 0);
  return names;
}

ExtractionMode modeOf(const QString& pane) {
  if (pane == QLatin1String("List")) return ExtractionMode::Files;
  if (pane == QLatin1String("Tree")) return ExtractionMode::Folder;
  return ExtractionMode::Neither;
}

}  // namespace

// Once every archive window has been closed the items stay enabled, but there
// is no archive left to extract.
void Main_Container::extractall_Click() {
  const auto archive = DATFiles->Find(NumberOf(ActiveDAT.Index));
  const DAT_Container* window = WindowInSlot(NumberOf(ActiveDAT.WindowIndex));
  if (!archive || !window) {
    platform::Dialogs().message(QStringLiteral("There is no DAT file open to extract."), AppTitle(),
                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    return;
  }
  auto* dialog = new frmExtractAll({this, archive, ActiveDAT.Caption}, treeFolders(*window->TreeView));
  dialog->show();
}

void Main_Container::extractselected_Click() {
  const auto archive = DATFiles->Find(NumberOf(ActiveDAT.Index));
  if (!archive || !activeListHasEntries()) {
    platform::Dialogs().message(
        QStringLiteral("Please select a folder or a group of files if you really want to extract"),
        QStringLiteral("No files/folder selected"), platform::MsgIcon::Exclamation,
        platform::MsgButtons::Ok);
    return;
  }
  const DAT_Container& window = *WindowInSlot(NumberOf(ActiveDAT.WindowIndex));
  auto* dialog = new frmExtract({this, archive, ActiveDAT.Caption});
  dialog->show();
  const ExtractionMode mode = modeOf(ActivePane);
  // Entries are found in the folder the list shows, the one their names came from.
  if (mode == ExtractionMode::Files)
    dialog->ShowSelection(mode, window.Listing().Path(), selectedNames(window));
  else
    dialog->ShowSelection(mode, selectedFolderKey(*window.TreeView), {});
}

}  // namespace tallyhold
