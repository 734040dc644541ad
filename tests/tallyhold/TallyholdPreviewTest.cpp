// Double-click or Enter on an entry of the list opens its preview.
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QTest>
#include <QTreeView>

#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/frmPreview.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::FixtureEntry;

class TallyholdPreviewTest : public WindowsFixture {
 protected:
  void SetUp() override {
    WindowsFixture::SetUp();
    FixtureEntry damaged{"DAMAGED.TXT", "never shown", true};
    damaged.realSize = 100;
    window = openViaMenu(write(DatWriter()
                                   .add("NOTES.TXT", "first line\r\nsecond\t line\r\n")
                                   .add("IMAGE.FRM",
                                        QByteArray("\x00\x01"
                                                   "AB",
                                                   4),
                                        true)
                                   .add(damaged)));
    ASSERT_NE(window, nullptr);
  }

  void TearDown() override {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (qobject_cast<frmPreview*>(widget)) widget->close();
    flushDeletes();
    WindowsFixture::TearDown();
  }

  void doubleClickRow(int row) {
    QTreeView& list = listOf(*window);
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    // A double-click is a click, then a second press that the system reports as a double-click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
  }

  // The preview window that is shown, or null.
  static frmPreview* shownPreview() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* preview = qobject_cast<frmPreview*>(widget); preview && preview->isVisible()) return preview;
    return nullptr;
  }

  static QStringList linesOf(const frmPreview& preview) {
    const QAbstractItemModel& model = *child<QListView>(preview, "lstPreview").model();
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) lines << model.index(row, 0).data().toString();
    return lines;
  }

  DAT_Container* window = nullptr;
};

TEST_F(TallyholdPreviewTest, ATextEntryShowsItsLines) {
  doubleClickRow(0);
  const frmPreview* preview = shownPreview();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(linesOf(*preview), (QStringList{"first line", "second\t line"}));
  EXPECT_EQ(child<QLabel>(*preview, "labInfo").text(), "Text (Latin-1), 26 bytes.");
}

TEST_F(TallyholdPreviewTest, EnterOnABinaryEntryShowsAHexDump) {
  QTreeView& list = listOf(*window);
  list.setFocus();
  list.setCurrentIndex(list.model()->index(1, 0));
  QTest::keyClick(&list, Qt::Key_Return);
  const frmPreview* preview = shownPreview();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(linesOf(*preview), QStringList{"00000000  00 01 41 42                                      ..AB"});
  EXPECT_EQ(child<QLabel>(*preview, "labInfo").text(), "Hex dump, 4 bytes.");
}

TEST_F(TallyholdPreviewTest, ADamagedEntryShowsItsReasonInstead) {
  doubleClickRow(2);
  const frmPreview* preview = shownPreview();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(child<QLabel>(*preview, "labInfo").text(),
            "DAMAGED.TXT: the compressed data inflate to 11 bytes instead of 100");
  EXPECT_FALSE(child<QListView>(*preview, "lstPreview").isVisibleTo(preview));
}

}  // namespace
}  // namespace tallyhold::testing
