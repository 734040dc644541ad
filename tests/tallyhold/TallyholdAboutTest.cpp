#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/widgets/LinkLabel.h"
#include "tallyhold/windows/frmAbout.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using TallyholdAboutTest = WindowsFixture;

// Runs the About command and, while its modal box is open, the check; true
// when the box was seen and closed by the check.
bool whileAboutIsOpen(QAction* about, const std::function<void(frmAbout&)>& check) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = true;
    check(*box);
  });
  about->trigger();
  return seen && !QApplication::activeModalWidget();
}

TEST_F(TallyholdAboutTest, ShowsTitleVersionAndCreditsModallyAndEscCloses) {
  const bool closed = whileAboutIsOpen(action("menuitem8932"), [&](frmAbout& box) {
    EXPECT_EQ(box.objectName(), "frmAbout");
    EXPECT_EQ(box.windowTitle(), "About Tallyhold");
    EXPECT_EQ(child<QLabel>(box, "lblTitle").text(), "Tallyhold");
    EXPECT_EQ(child<QLabel>(box, "lblVersion").text(), "Version 1.1.2");
    EXPECT_TRUE(child<QLabel>(box, "lblDescription").text().contains("basics of loading DAT archives"));
    EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    for (const char* name : {"picIcon", "lblTitle", "lblVersion", "lblDescription", "cmdOK", "Label1", "Label2",
                             "Label3", "Label4", "Label5", "Label6", "Line1"})
      EXPECT_NE(box.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_FALSE(child<QLabel>(box, "picIcon").pixmap().isNull());
    EXPECT_EQ(child<QPushButton>(box, "cmdOK").text(), "OK");
    EXPECT_TRUE(child<QPushButton>(box, "cmdOK").isDefault());
    QTest::keyClick(&box, Qt::Key_Escape);
  });
  EXPECT_TRUE(closed);
}

TEST_F(TallyholdAboutTest, EnterPressesOK) {
  EXPECT_TRUE(
      whileAboutIsOpen(action("menuitem8932"), [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Return); }));
}

TEST_F(TallyholdAboutTest, LinksGoToTheShellAndKeepTheBoxOpen) {
  testsupport::ShellOpenRecorder shell;
  const bool closed = whileAboutIsOpen(action("menuitem8932"), [](frmAbout& box) {
    for (const char* name : {"Label3", "Label2", "Label6"}) {
      auto& link = child<widgets::LinkLabel>(box, name);
      EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
      QTest::mouseClick(&link, Qt::LeftButton);
    }
    EXPECT_TRUE(box.isVisible());
    QTest::mouseClick(&child<QPushButton>(box, "cmdOK"), Qt::LeftButton);
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(shell.addresses(),
            (QStringList{frmAbout::WebAddress, frmAbout::AuthorMail, frmAbout::EngineAuthorMail}));
  EXPECT_TRUE(frmAbout::AuthorMail.startsWith("mailto:"));
  EXPECT_TRUE(frmAbout::EngineAuthorMail.startsWith("mailto:"));
}

}  // namespace
}  // namespace tallyhold::testing
