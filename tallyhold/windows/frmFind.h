#pragma once
// Finding entries by name in one archive: a pattern box and the entries whose
// full names it takes, searched again on a thread of their own at every
// change of the pattern, so that typing never waits for a search. From the
// results the user extracts entries, drags them out, or shows an entry in its
// archive window.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "engine/archive/ClsDatFile.h"
#include "engine/archive/EntrySearch.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace tallyhold {

class DAT_Container;
struct DraggedEntries;
class FindResultsModel;
class Main_Container;

class frmFind : public QWidget {
  Q_OBJECT
 public:
  // Searches the archive the window shows, and closes with that window.
  frmFind(Main_Container& frame, DAT_Container& window, std::shared_ptr<engine::ClsDatFile> archive);
  ~frmFind() override;

  int32_t ArchiveNumber() const { return archive_->Index; }
  // The selected results, as a drag of them carries them out.
  DraggedEntries Dragged() const;
  // The archive read anew after a change was written into it: the old
  // results go, and the pattern is searched again in the new reading.
  void ArchiveReadAgain(std::shared_ptr<engine::ClsDatFile> archive);

 signals:
  // The results of the pattern in the box are in the list.
  void ResultsShown();

 private:
  void startSearches();
  void search(const QString& pattern);
  void showResults(engine::SearchResults results);
  // The selected results, in list order.
  std::vector<const engine::ClsTreeDir*> selectedEntries() const;
  void extractSelected();
  void showFolder();

  Main_Container& frame_;
  QPointer<DAT_Container> window_;
  std::shared_ptr<engine::ClsDatFile> archive_;
  QLineEdit* pattern_;
  QTreeView* results_;
  FindResultsModel* model_;
  QLabel* status_;
  QPushButton* extract_;
  QPushButton* showFolder_;
  std::unique_ptr<engine::EntrySearch> search_;
};

}  // namespace tallyhold
