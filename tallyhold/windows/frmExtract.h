#pragma once
// Extracts the entries selected in the list pane, or every entry directly in
// the folder selected in the tree pane, into the chosen folder itself.
#include <QByteArray>
#include <QStringList>

#include "tallyhold/extract/DestinationChooser.h"
#include "tallyhold/extract/ExtractSource.h"

class QLineEdit;
class QListWidget;

namespace tallyhold {

class ColSubTree;
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
  // Nothing of the run is kept after a stop: what it extracted goes again.
  void extractFolder(const ColSubTree& folder, const QString& destRoot, RunProgress& progress);
  // A stop keeps what was extracted: those files are complete and wanted.
  void extractFiles(const ColSubTree& folder, const QString& destRoot, RunProgress& progress);
  void nothingToExtract(RunProgress& progress);

  ExtractSource source_;
  ExtractionMode mode_ = ExtractionMode::Neither;
};

}  // namespace tallyhold
