// What a screen reader is told about the archive window's panes and the
// extraction dialogs' controls, which have no caption of their own.
#include <QComboBox>
#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>

#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/frmExtract.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"
#include "tests/widgets/Accessible.h"

namespace tallyhold::testing {
namespace {

using testsupport::AccessibleName;

using TallyholdAccessibleNames = ExtractDialogsFixture;

TEST_F(TallyholdAccessibleNames, PanesListsAndTheFolderKeyAreNamedAsTheWindowsLabelThem) {
  DAT_Container* window = openViaMenu(
      write(testsupport::DatWriter().add("TOP.TXT", "top").add("ART\\A.FRM", "a")));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(AccessibleName(&treeOf(*window)), "Folders");
  EXPECT_EQ(AccessibleName(&listOf(*window)), "Entries");

  clickNode(*window, "root");
  action("extractselected")->trigger();
  frmExtract* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(testsupport::AccessibleLabel(&child<QComboBox>(*dialog, "Drive1")),
            "Choose the destination directory:");
  EXPECT_EQ(AccessibleName(&folderList(*dialog)), "Choose the destination directory:");
  EXPECT_EQ(AccessibleName(&child<QLineEdit>(*dialog, "DirText")), "Folder to extract:");
  click(*dialog, "Command2");

  selectRows(*window, {0});
  action("extractselected")->trigger();
  dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(AccessibleName(&child<QLineEdit>(*dialog, "DirText")), "Files to extract:");
}

}  // namespace
}  // namespace tallyhold::testing
