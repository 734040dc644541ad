#pragma once
// A read-only look at one entry, in a window of its own: its text, or a hex
// dump of its bytes, never more than its first 16 MiB; a damaged entry shows
// the reason extraction would give instead.
#include <QWidget>

#include "common/platform/ArchiveSource.h"
#include "engine/extract/EntryPreview.h"

class QLabel;
class QListView;

namespace engine {
class ClsTreeDir;
}

namespace tallyhold {

class frmPreview : public QWidget {
  Q_OBJECT
 public:
  // Reads the entry's beginning from the archive and shows the window;
  // it deletes itself when closed.
  static frmPreview* Open(const engine::ClsTreeDir& entry, const platform::ArchiveSource& archive, QWidget* owner);

  frmPreview(const engine::ClsTreeDir& entry, engine::EntryPreview preview, QWidget* owner);

 private:
  QLabel* info_;
  QListView* lines_;
};

}  // namespace tallyhold
