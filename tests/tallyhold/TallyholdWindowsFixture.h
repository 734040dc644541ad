#pragma once
// A fresh frame for every test, as start-up makes it, with the dialogs
// answered from a script, the program's ending recorded and a folder for the
// fixture archives.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <memory>

#include "tallyhold/windows/Main_Container.h"
#include "tests/support/DatWriter.h"
#include "tests/support/PlatformRecorders.h"
#include "tests/support/ScriptedDialogs.h"

namespace tallyhold {
class DAT_Container;
class DAT_Info;
}  // namespace tallyhold

namespace tallyhold::testing {

class WindowsFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Main_Container& frame() { return *frame_; }
  DAT_Info* info() const;
  QAction* action(const char* name) const;

  // Writes the archive into the test's folder and returns its path.
  QString write(const testsupport::DatWriter& writer, const QString& name = "archive.dat");
  QString writeBytes(const QByteArray& bytes, const QString& name);
  // "Open DAT..." through the menu, with the dialog answering the path; the
  // window opened last, or null when none is open for it.
  DAT_Container* openViaMenu(const QString& path);
  // Runs the deletions that closed windows have asked for.
  static void flushDeletes();

  testsupport::ScriptedDialogs dialogs;
  testsupport::EndProgramRecorder ending;
  QTemporaryDir dir;

 private:
  std::unique_ptr<Main_Container> frame_;
};

}  // namespace tallyhold::testing
