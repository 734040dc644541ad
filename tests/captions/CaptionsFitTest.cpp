// Every label, button and group title of every window fits the box the layout
// gives it, in the font it is drawn with, once the design fonts are registered.
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QMdiSubWindow>
#include <QStyleOptionButton>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QTreeView>

#include "common/platform/Fonts.h"
#include "gulpwell/AboutBox.h"
#include "gulpwell/Mommy.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/ProgressForm.h"
#include "tallyhold/archive/ClsDatFile.h"
#include "tallyhold/extract/ProgressForm.h"
#include "tallyhold/extract/frmExtract.h"
#include "tallyhold/extract/frmExtractAll.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/frmAbout.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace {

using tallyhold::testing::WindowsFixture;

QString misfit(const QWidget& widget, const QString& text) {
  return widget.window()->objectName() + "." + widget.objectName() + ": \"" + text + "\"";
}

void checkLabel(const QLabel& label, QStringList& misfits) {
  const QRect room = label.contentsRect();
  const QFontMetrics metrics(label.font());
  const bool fits = label.wordWrap()
                        ? metrics.boundingRect(room, Qt::TextWordWrap | label.alignment(), label.text()).height() <=
                              room.height()
                        : metrics.horizontalAdvance(label.text()) <= room.width();
  if (!fits) misfits << misfit(label, label.text());
}

void checkButton(const QPushButton& button, QStringList& misfits) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  const QString shown = QString(button.text()).remove('&');
  if (QFontMetrics(button.font()).horizontalAdvance(shown) > room.width()) misfits << misfit(button, shown);
}

void checkGroupTitle(const QGroupBox& box, QStringList& misfits) {
  const int margin = box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
  if (QFontMetrics(box.font()).horizontalAdvance(box.title()) + 2 * margin > box.width())
    misfits << misfit(box, box.title());
}

// The caption bar of a child window, laid out as the window lays it out itself.
void checkCaption(const QMdiSubWindow& window, QStringList& misfits) {
  constexpr int Border = 4;
  QStyleOptionTitleBar option;
  option.initFrom(&window);
  option.titleBarFlags = window.windowFlags();
  option.subControls = QStyle::SC_All;
  option.text = window.windowTitle();
  option.rect = QRect(Border, Border, window.width() - 2 * Border,
                      window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &window));
  const QRect room = window.style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &window);
  // Fusion, the style here, leaves 14 pixels of the label free.
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  if (metrics.horizontalAdvance(option.text) > room.width() - 14) misfits << misfit(window, option.text);
}

// The texts of the window that do not fit, as "window.control: text".
QStringList misfitsOf(QWidget& window) {
  window.show();
  QStringList misfits;
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->isVisibleTo(&window) && !label->text().isEmpty()) checkLabel(*label, misfits);
  for (const QPushButton* button : window.findChildren<QPushButton*>())
    if (button->isVisibleTo(&window)) checkButton(*button, misfits);
  for (const QGroupBox* box : window.findChildren<QGroupBox*>()) checkGroupTitle(*box, misfits);
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

  // Runs the check on the modal window that the action opens, then closes it.
  template <class Window>
  QStringList misfitsOfModal(const std::function<void()>& open) {
    QStringList misfits;
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) {
          misfits = misfitsOf(*window);
          window->close();
        }
    });
    open();
    return misfits;
  }
};

TEST_F(CaptionsFitTest, EveryCaptionOfTheThreeProgramsFitsItsBox) {
  QStringList misfits;
  tallyhold::testing::AtEveryYield scan(
      [&](tallyhold::ProgressForm& form, int yield) { if (yield == 1) misfits << misfitsOf(form); });
  testsupport::DatWriter writer;
  writer.add("README.TXT", "x").add("ART\\CRITTERS\\WORLDMP.MSG", "y");
  tallyhold::DAT_Container* window = openViaMenu(write(writer));
  ASSERT_NE(window, nullptr);
  ASSERT_GT(scan.yields(), 0);
  tallyhold::testing::clickNode(*window, "Child10");
  EXPECT_TRUE(fitsColumn(*window->ListView, 0, "WORLDMP.MSG"));
  misfits << misfitsOf(frame()) << misfitsOf(*window);

  tallyhold::ClsDatFile large;
  // An archive just short of 100,000,000 bytes: eight digits are what the
  // designed value boxes hold.
  large.DataSize = 99999999;
  large.TreeSize = 99999999 - 8;
  large.FilesTotal = large.TreeSize / 17;
  large.DirTreeAddr = large.DataSize;
  info()->ShowValues(large);
  misfits << misfitsOf(*info());
  checkCaption(*info(), misfits);
  misfits << misfitsOfModal<tallyhold::frmAbout>([&] { action("menuitem8932")->trigger(); });
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
  misfits << misfitsOf(reader);
  reader.findChild<QPushButton*>("cmdLast")->click();
  misfits << misfitsOf(reader);
  ledgerlamp::ProgressForm loading(nullptr);
  loading.setStatus("Getting fixed DAT info... FilesTotal");
  misfits << misfitsOf(loading);
  misfits << misfitsOfModal<QDialog>([&] { reader.findChild<QPushButton*>("Command1")->click(); });

  gulpwell::Mommy tool;
  misfits << misfitsOf(tool);
  gulpwell::AboutBox about;
  misfits << misfitsOf(about);

  EXPECT_TRUE(misfits.isEmpty()) << misfits.join("\n").toStdString();
}

}  // namespace
