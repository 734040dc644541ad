#pragma once
// Extracts the entries selected in the list pane, or every entry directly in
// the folder selected in the tree pane, into the chosen folder itself.
#include <QByteArray>
#include <QStringList>
#include <optional>
#include <vector>

#include "engine/extract/ExtractionPlan.h"
#include "tallyhold/windows/DestinationChooser.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace engine {
class ExtractionRun;
}  // namespace engine

namespace tallyhold {

class RunProgress;

// The pane used last decides: the tree's folder, the list's entries, or
// neither (no pane clicked yet), which finds nothing to extract.
enum class ExtractionMode { Folder, Files, Neither };

class frmExtract : public DestinationChooser {
  Q_OBJECT
 public:
  explicit frmExtract(const ExtractSource& source);

  // The selection gathered from the archive window. folderKey: that of the
  // selected tree node, empty when none is selected (DirText keeps "ERROR",
  // which names no folder); names: the selected list items (files mode).
  // What the run extracts is worked out from the archive's folders here.
  void ShowSelection(ExtractionMode mode, const QByteArray& folderKey, const QStringList& names);
  // Files mode for entries that may lie in different folders (found by name,
  // for instance): List1 shows their names and the run takes exactly them.
  void ShowEntries(const std::vector<const engine::ClsTreeDir*>& entries);

  // Dir1's folder with a trailing "/": every file lands directly in it.
  QString DestRoot() const { return FolderWithSeparator(); }

 private:
  void showMode(ExtractionMode mode, const QStringList& names);
  void extract();
  // A stop removes the files this run made new; files it replaced stay.
  void extractFolder(engine::ExtractionRun& run, RunProgress& progress);
  void extractFiles(engine::ExtractionRun& run, RunProgress& progress);
  void nothingToExtract(RunProgress& progress);

  ExtractionMode mode_ = ExtractionMode::Neither;
  std::optional<engine::ExtractionPlan> plan_;  // none: no folder to extract from
  qsizetype namesShown_ = 0;                    // files mode: the count the completion message gives
  QLabel* whatLabel_;                           // "Files to extract:" or "Folder to extract:"
  QLineEdit* folderKey_;                        // the folder key of the folder to extract from
  QListWidget* names_;                          // the names to extract, or "*.*" for the whole folder
};

}  // namespace tallyhold
