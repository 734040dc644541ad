// The information window keeps its place and size as a small tool window, and
// never takes the focus or the front from the archive windows.
#include <QApplication>
#include <QMdiArea>
#include <QTest>

#include "common/platform/Twips.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using TallyholdInfoWindowTest = ExtractDialogsFixture;

// The top of the area's stacking order.
const QMdiSubWindow* frontWindow(const QMdiArea& area) {
  const QList<QMdiSubWindow*> stack = area.subWindowList(QMdiArea::StackingOrder);
  return stack.isEmpty() ? nullptr : stack.last();
}

void expectSmallAtTopRight(Main_Container& frame, const DAT_Info& info, const QSize& size) {
  EXPECT_FALSE(info.isMaximized());
  EXPECT_EQ(info.size(), size);
  EXPECT_EQ(info.pos(),
            QPoint(frame.frameGeometry().width() - platform::TwipsToPixelsX(2200), platform::TwipsToPixelsY(100)));
}

TEST_F(TallyholdInfoWindowTest, AfterAnExtractAllTheArchiveWindowStaysInFront) {
  DAT_Container* window = openViaMenu(write(DatWriter().add("A\\B.TXT", "b").add("C.TXT", "c")));
  ASSERT_NE(window, nullptr);
  // The frame has the focus, as after a load; the dialog disables it.
  frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
  action("extractall")->trigger();
  auto* dialog = shownDialog<frmExtractAll>();
  ASSERT_NE(dialog, nullptr);
  runInto(*dialog, folder("out"));
  QCoreApplication::processEvents();

  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(frame().MdiArea().activeSubWindow(), window);
  EXPECT_EQ(frontWindow(frame().MdiArea()), window);
  EXPECT_FALSE(info()->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(TallyholdInfoWindowTest, ShownWhileAnArchiveWindowIsMaximisedItStaysSmallAtTheTopRight) {
  const QSize size = info()->size();
  DAT_Container* window = openViaMenu(write(DatWriter().add("A.TXT", "a")));
  ASSERT_NE(window, nullptr);
  window->showMaximized();
  QAction* view = action("mnuShowDAT");
  view->trigger();
  view->trigger();
  ASSERT_TRUE(info()->isVisible());
  expectSmallAtTopRight(frame(), *info(), size);
  EXPECT_EQ(frontWindow(frame().MdiArea()), info());
  EXPECT_TRUE(window->isMaximized());
}

}  // namespace
}  // namespace tallyhold::testing
