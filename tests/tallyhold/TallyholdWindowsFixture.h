#pragma once
// A fresh frame for every test, as start-up makes it, with the dialogs
// answered from a script, the program's ending recorded and a folder for the
// fixture archives; and ways to look into the windows while a scan runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "engine/archive/FolderTree.h"
#include "tallyhold/windows/Main_Container.h"
#include "tests/support/DatWriter.h"
#include "tests/support/PlatformRecorders.h"
#include "tests/support/ScriptedDialogs.h"

class QTreeView;
class QTreeWidget;

namespace tallyhold {
class DAT_Container;
class DAT_Info;
class ProgressForm;
}  // namespace tallyhold

namespace tallyhold::testing {

// The control of the window with the design name; a missing one fails the test.
template <typename T>
T& child(const QObject& window, const char* name) {
  T* found = window.findChild<T*>(QLatin1String(name));
  if (!found) throw std::runtime_error("no control named " + std::string(name));
  return *found;
}

class WindowsFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Main_Container& frame() { return *frame_; }
  ProgramState& state() { return frame_->State(); }
  // The text of the frame's status panel.
  QString statusText() const;
  DAT_Info* info() const;
  // The text of one of the information window's value labels ("txtDataSize"...).
  QString infoValue(const char* name) const;
  QAction* action(const char* name) const;
  // The windows in the frame's area other than the information window.
  int archiveWindowCount() const;

  // Writes the archive into the test's folder and returns its path.
  QString write(const testsupport::DatWriter& writer, const QString& name = "archive.dat");
  QString writeBytes(const QByteArray& bytes, const QString& name);
  // "Open DAT..." through the menu, with the dialog answering the path; the
  // window in the slot opened last afterwards (null when it is gone).
  DAT_Container* openViaMenu(const QString& path);
  // Runs the deletions that closed windows have asked for.
  static void flushDeletes();

  testsupport::ScriptedDialogs dialogs;
  testsupport::EndProgramRecorder ending;
  QTemporaryDir dir;

 private:
  std::unique_ptr<Main_Container> frame_;
};

// The archive window's panes, found by their design names.
QTreeWidget& treeOf(const DAT_Container& window);
QTreeView& listOf(const DAT_Container& window);
// Clicks the list rows, the first plainly, the others with Ctrl held.
void selectRows(const DAT_Container& window, const QList<int>& rows);
// The tree pane's nodes, parents before children, as {key, text, parent key}.
std::vector<engine::TreeNode> nodesOf(const DAT_Container& window);
// The list pane's rows, every cell.
QList<QStringList> rowsOf(const DAT_Container& window);
// Clicks the node with the key, as the user does.
void clickNode(DAT_Container& window, const QString& key, Qt::MouseButton button = Qt::LeftButton);

// The progress window while it is shown, or null.
ProgressForm* shownProgressForm();
// Clicks its Cancel button.
void pressCancel(ProgressForm& form);

// Runs an action at every yield to events while a progress window is shown.
class AtEveryYield {
 public:
  explicit AtEveryYield(std::function<void(ProgressForm& form, int yield)> action);
  int yields() const { return yields_; }

 private:
  QTimer timer_;
  int yields_ = 0;
};

// What the progress window showed when it went away.
struct LastProgress : QObject {
  LastProgress();
  ~LastProgress() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  bool seen = false;
  QString caption, message, status;
  float max = 0, value = 0;
};

}  // namespace tallyhold::testing
