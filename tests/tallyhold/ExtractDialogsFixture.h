#pragma once
// The frame with an archive opened through the menu, and ways to drive the
// extraction dialogs as a user does: open them through the frame's commands,
// point Dir1 at a folder, click the run's button.
#include <QApplication>
#include <QDir>
#include <QPushButton>

#include "common/widgets/DirListBox.h"
#include "tallyhold/windows/DestinationChooser.h"
#include "tests/engine/ExtractFixture.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"
#include "tests/widgets/QtPrinters.h"

namespace tallyhold::testing {

class ExtractDialogsFixture : public WindowsFixture {
 protected:
  void TearDown() override;

  // The visible dialog of the type, or null.
  template <typename Dialog>
  static Dialog* shownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) return dialog;
    return nullptr;
  }

  // A new, empty folder in the test's folder.
  QString folder(const QString& name);
  // Dir1 to the folder, then a click on the run's button; the dialog is gone afterwards.
  static void runInto(DestinationChooser& dialog, const QString& folder);
  // Dir1 to a new folder that is removed before the click on the run's button;
  // the folder's path. The run must stop with the failure's message and make nothing.
  QString runIntoVanishedFolder(DestinationChooser& dialog);
  // The folder list of the dialog, Dir1.
  static widgets::DirListBox& folderList(DestinationChooser& dialog);
  // Clicks the dialog's button with the design name.
  static void click(DestinationChooser& dialog, const char* button);
  // Every file and folder below the folder, relative to it, sorted.
  static QStringList contentsOf(const QString& folder) { return testsupport::OpenArchive::contentsOf(folder); }
  // After a run, done or stopped: the frame enabled, no dialog and no progress
  // window left, no stop request pending.
  void expectWindowsRestored();
};

}  // namespace tallyhold::testing
