#pragma once
// Extracts the entries selected in the list pane, or every entry directly in
// the folder selected in the tree pane, into the chosen folder itself.
#include <QByteArray>
#include <QStringList>

#include "tallyhold/windows/DestinationChooser.h"
#include "tallyhold/windows/ExtractSource.h"

class QLineEdit;
class QListWidget;

namespace tallyhold {

class ColSubTree;
class ExtractionRun;
class RunProgress;

// The pane used last decides: the tree's folder, the list's entries, or
// neither (no pane clicked yet), which finds nothing to extract.
enum class ExtractionMode { Folder, Files, Neither };

class frmExtract : public DestinationChooser {
  Q_OBJECT
 public:
  explicit frmExtract(const ExtractSource& source);

  QLabel* Label2;        // "Files to extract:" or "Folder to extract:"
  QLineEdit* DirText;    // the folder key of the folder to extract from
  QListWidget* List1;    // the names to extract, or "*.*" for the whole folder
  QPushButton* Command1;  // "Extract!"

  // The selection gathered from the archive window. folderKey: that of the
  // selected tree node, empty when none is selected (DirText keeps "ERROR",
  // which names no folder); names: the selected list items (files mode).
  void ShowSelection(ExtractionMode mode, const QByteArray& folderKey, const QStringList& names);

  // Dir1's folder with a trailing "/": every file lands directly in it.
  QString DestRoot() const { return FolderWithSeparator(); }

 private:
  void Command1_Click();
  // A stop removes the files this run made new; files it replaced stay.
  void extractFolder(const ColSubTree& folder, ExtractionRun& run, RunProgress& progress);
  void extractFiles(const ColSubTree& folder, ExtractionRun& run, RunProgress& progress);
  void nothingToExtract(RunProgress& progress);

  ExtractSource source_;
  ExtractionMode mode_ = ExtractionMode::Neither;
};

}  // namespace tallyhold
