// Every label, button and group title of every window fits the box the layout
// gives it, in the font it is drawn with, once the design fonts are registered.
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionTitleBar>
#include <QTreeView>

#include "common/platform/Fonts.h"
#include "engine/archive/ClsDatFile.h"
#include "gulpwell/AboutBox.h"
#include "gulpwell/Mommy.h"
#include "ledgerlamp/About.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/ProgressForm.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/ProgressForm.h"
#include "tallyhold/windows/frmAbout.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace {

using tallyhold::testing::WindowsFixture;

// "window.control: text" when the text is wider (or, wrapped, taller) than its room.
void check(bool fits, const QWidget& widget, const QString& text, QStringList& misfits) {
  if (!fits) misfits << widget.window()->objectName() + "." + widget.objectName() + ": \"" + text + "\"";
}

bool fitsLabel(const QLabel& label) {
  const QRect room = label.contentsRect();
  const QFontMetrics metrics(label.font());
  if (!label.wordWrap()) return metrics.horizontalAdvance(label.text()) <= room.width();
  return metrics.boundingRect(room, Qt::TextWordWrap | label.alignment(), label.text()).height() <= room.height();
}

bool fitsButton(const QPushButton& button, const QString& shown) {
  QStyleOptionButton option;
  option.initFrom(&button);
  const QRect room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  return QFontMetrics(button.font()).horizontalAdvance(shown) <= room.width();
}

// The caption bar of a child window, laid out as the window lays it out itself.
bool fitsCaption(const QMdiSubWindow& window) {
  constexpr int Border = 4;
  QStyleOptionTitleBar option;
  option.initFrom(&window);
  option.titleBarFlags = window.windowFlags();
  option.subControls = QStyle::SC_All;
  option.rect = QRect(Border, Border, window.width() - 2 * Border,
                      window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &window));
  const QRect room = window.style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel,
                                                    &window);
  // Fusion, the style here, leaves 14 pixels of the label free.
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  return metrics.horizontalAdvance(window.windowTitle()) <= room.width() - 14;
}

// The texts of the window that do not fit.
QStringList misfitsOf(QWidget& window) {
  window.show();
  QStringList misfits;
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->isVisibleTo(&window) && !label->text().isEmpty())
      check(fitsLabel(*label), *label, label->text(), misfits);
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    const QString shown = QString(button->text()).remove('&');
    if (button->isVisibleTo(&window)) check(fitsButton(*button, shown), *button, shown, misfits);
  }
  for (const QGroupBox* box : window.findChildren<QGroupBox*>()) {
    const int margin = box->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    check(QFontMetrics(box->font()).horizontalAdvance(box->title()) + 2 * margin <= box->width(), *box,
          box->title(), misfits);
  }
  return misfits;
}

// An item view's cell keeps a margin on either side of its text.
bool fitsColumn(const QTreeView& view, int column, const QString& text) {
  const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
  return QFontMetrics(view.font()).horizontalAdvance(text) + 2 * margin <= view.header()->sectionSize(column);
}

class CaptionsFitTest : public WindowsFixture {
 protected:
  static void SetUpTestSuite() { platform::RegisterDesignFonts(); }
};

TEST_F(CaptionsFitTest, EveryCaptionOfTheThreeProgramsFitsItsBox) {
  QStringList misfits;
  tallyhold::testing::AtEveryYield scan([&](tallyhold::ProgressForm& form, int yield) {
    if (yield == 1) misfits << misfitsOf(form);
  });
  testsupport::DatWriter writer;
  tallyhold::DAT_Container* window = openViaMenu(
      write(writer.add("TOP", "x").add("ART\\CRITTERS\\WORLDMP.MSG", "y")));
  ASSERT_NE(window, nullptr);
  ASSERT_GT(scan.yields(), 0);
  tallyhold::testing::clickNode(*window, "Child10");
  EXPECT_TRUE(fitsColumn(tallyhold::testing::listOf(*window), 0, "WORLDMP.MSG"));
  misfits << misfitsOf(frame()) << misfitsOf(*window);

  // The largest archive there can be: ten digits where the boxes were laid out for eight.
  engine::ClsDatFile large;
  large.DataSize = large.DirTreeAddr = 2147483647;
  large.TreeSize = large.DataSize - 8;
  large.FilesTotal = large.TreeSize / 17;
  info()->ShowValues(large);
  misfits << misfitsOf(*info());
  check(fitsCaption(*info()), *info(), info()->windowTitle(), misfits);
  tallyhold::frmAbout about(&frame());
  misfits << misfitsOf(about);
  for (const char* command : {"extractall", "extractselected"}) {
    action(command)->trigger();
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (qobject_cast<tallyhold::DestinationChooser*>(widget) && widget->isVisible()) {
        misfits << misfitsOf(*widget);
        delete widget;
      }
  }

  ledgerlamp::Main reader;
  testsupport::DatWriter two;
  dialogs.answerOpenFile(write(two.add("A", "1").add("B", "2"), "two.dat"));
  reader.findChild<QPushButton*>("cmdOpenDat")->click();
  ledgerlamp::ProgressForm loading(nullptr);
  loading.setStatus("Getting fixed DAT info... FilesTotal");
  ledgerlamp::About readerAbout(&reader);
  gulpwell::Mommy tool;
  gulpwell::AboutBox toolAbout;
  for (QWidget* other : std::initializer_list<QWidget*>{&reader, &loading, &readerAbout, &tool, &toolAbout})
    misfits << misfitsOf(*other);

  EXPECT_TRUE(misfits.isEmpty()) << misfits.join("\n").toStdString();
}

}  // namespace
