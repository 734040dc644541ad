// The destination chooser shared by both extraction dialogs: loading, the
// drive change, "Create new dir" and Cancel.
#include <QLabel>
#include <QTest>

#include "common/platform/FolderOpening.h"
#include "common/widgets/DriveListBox.h"
#include "tallyhold/windows/frmExtract.h"
#include "tallyhold/windows/frmExtractAll.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"
#include "tests/widgets/ListGestures.h"

namespace tallyhold::testing {
namespace {

using platform::MsgAnswer;
using testsupport::DatWriter;

const QString PathNotFoundCauses =
    "\r\r     Possible causes and solutions:\r\r1. You have tried to create a folder with more than 255 "
    "characters, Windows can't handle more than that long\r2. You're using too much Microsoft software, "
    "burn your computer and install Linux\r3. It could be a bug! Check readme.txt for further information";

// A drive without a medium, while it lives: the system refuses every folder
// on it as not ready.
class NotReadyDrive {
 public:
  explicit NotReadyDrive(const QString& root) {
    platform::SetFolderOpenHandler([root](const QString& folder) {
      return folder.startsWith(root) ? std::make_error_code(std::errc::no_such_device) : std::error_code();
    });
  }
  ~NotReadyDrive() { platform::SetFolderOpenHandler({}); }
  NotReadyDrive(const NotReadyDrive&) = delete;
  NotReadyDrive& operator=(const NotReadyDrive&) = delete;
};

class TallyholdDestinationTest : public ExtractDialogsFixture {
 protected:
  void SetUp() override {
    ExtractDialogsFixture::SetUp();
    ASSERT_NE(openViaMenu(write(DatWriter().add("TOP.TXT", "t").add("A\\X.TXT", "x"))), nullptr);
    dialogs.clear();
  }

  // Chooses a drive that is listed with the root folder given, as the user does.
  static void chooseDrive(DestinationChooser& dialog, const QString& root) {
    widgets::DriveListBox& drive = driveList(dialog);
    drive.addItem(root, root);
    emit drive.activated(drive.count() - 1);
  }

  ExtractSource source() {
    const ActiveDATRecord& active = state().ActiveDAT;
    return {&frame(), state().DATFiles.Item(active.Index), active.Caption};
  }
  static widgets::DriveListBox& driveList(DestinationChooser& dialog) {
    return child<widgets::DriveListBox>(dialog, "Drive1");
  }
};

TEST_F(TallyholdDestinationTest, BothDialogsLoadAtTheProgramsFolderWithTheFrameDisabled) {
  for (const char* command : {"extractall", "extractselected"}) {
    SCOPED_TRACE(command);
    action(command)->trigger();
    DestinationChooser* dialog = shownDialog<DestinationChooser>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(frame().isEnabled());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_EQ(folderList(*dialog).Path(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(driveList(*dialog).Drive(), widgets::DriveListBox::DriveOf(QCoreApplication::applicationDirPath()));
    EXPECT_EQ(child<QLabel>(*dialog, "Label1").text(), "Choose the destination directory:");
    click(*dialog, "Command2");
    flushDeletes();
    expectWindowsRestored();
  }
  EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(TallyholdDestinationTest, CancelCloseBoxAndEscGiveUpWithoutTouchingAnyFile) {
  const QString dest = folder("dest");
  const QList<std::function<void(DestinationChooser&)>> ways = {
      [](DestinationChooser& dialog) { click(dialog, "Command2"); },
      [](DestinationChooser& dialog) { dialog.close(); },
      [](DestinationChooser& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }};
  for (const auto& giveUp : ways) {
    action("extractall")->trigger();
    DestinationChooser* dialog = shownDialog<DestinationChooser>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(folderList(*dialog).SetPath(dest));
    giveUp(*dialog);
    flushDeletes();
    expectWindowsRestored();
    EXPECT_TRUE(contentsOf(dest).isEmpty());
  }
}

TEST_F(TallyholdDestinationTest, CreateNewDirMovesIntoTheNewFolderAndAsksAgainAfterAFailure) {
  const QString dest = folder("dest");
  ASSERT_TRUE(QDir(dest).mkdir("taken"));
  action("extractselected")->trigger();
  auto* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(folderList(*dialog).SetPath(dest));

  // A name that exists: the reporter's message, then the prompt again; an
  // empty answer there ends the command with nothing changed.
  dialogs.answerInput("taken");
  click(*dialog, "Command3");
  ASSERT_EQ(dialogs.shown().size(), 3);
  const testsupport::ShownBox prompt = dialogs.shown()[0];
  EXPECT_EQ(prompt.kind, testsupport::ShownBox::Input);
  EXPECT_EQ(prompt.text, "Enter the name of the directory:");
  EXPECT_EQ(prompt.title, "Create new folder");
  EXPECT_EQ(prompt.defaultText, "");
  EXPECT_EQ(dialogs.shown()[1].text, "Error: 75, the path already exists");
  EXPECT_EQ(dialogs.shown()[1].title, "File exists");
  EXPECT_EQ(dialogs.shown()[1].icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(dialogs.shown()[2].kind, testsupport::ShownBox::Input);
  EXPECT_EQ(folderList(*dialog).Path(), dest);
  EXPECT_EQ(contentsOf(dest), QStringList{"taken"});

  // A missing parent, then a good name: the list moves into the new folder.
  dialogs.clear();
  dialogs.answerInput("missing/new");
  dialogs.answerInput("fresh");
  click(*dialog, "Command3");
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].text, "Error: 76, No such file or directory" + PathNotFoundCauses);
  EXPECT_EQ(dialogs.messages()[0].title, "No such file or directory");
  EXPECT_EQ(dialogs.shown().size(), 3);
  EXPECT_EQ(folderList(*dialog).Path(), dest + "/fresh");
  EXPECT_TRUE(QFileInfo(dest + "/fresh").isDir());
  EXPECT_EQ(ending.calls(), 0);
  EXPECT_FALSE(frame().isEnabled());
}

TEST_F(TallyholdDestinationTest, CreateNewDirOnAReadOnlyDiskGivesTheSystemsReasonAndGoesOn) {
  const QString dest = dir.filePath("readonly");
  const testsupport::Mounted readOnly(dest, nullptr, MS_RDONLY);
  if (!readOnly.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
  action("extractselected")->trigger();
  auto* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(folderList(*dialog).SetPath(dest));
  dialogs.answerInput("Mod: Part 2");
  click(*dialog, "Command3");
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].text, "Error: 70, Read-only file system");
  EXPECT_EQ(dialogs.shown().size(), 3);  // asked again
  EXPECT_EQ(ending.calls(), 0);
}

TEST_F(TallyholdDestinationTest, AFolderAtTheTopOfTheFileSystemGetsOneSeparator) {
  action("extractselected")->trigger();
  auto* dialog = shownDialog<frmExtract>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(folderList(*dialog).SetPath("/"));
  EXPECT_EQ(dialog->DestRoot(), "/");
  // "tmp" exists at the top: the new folder's path is /tmp, not //tmp or a
  // folder of the program's own.
  dialogs.answerInput("tmp");
  click(*dialog, "Command3");
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].text, "Error: 75, the path already exists");
  EXPECT_EQ(folderList(*dialog).Path(), "/");
}

TEST_F(TallyholdDestinationTest, AFailedDriveChangeIsReportedAndTheListsStayWhereTheyWere) {
  const QString dest = folder("dest");
  action("extractall")->trigger();
  auto* dialog = shownDialog<frmExtractAll>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(folderList(*dialog).SetPath(dest));
  const QString drive = driveList(*dialog).Drive();

  chooseDrive(*dialog, dir.filePath("no-such-drive"));
  ASSERT_EQ(dialogs.messages().size(), 1);  // not tried again
  EXPECT_EQ(dialogs.messages()[0].text, "Error: 76, No such file or directory" + PathNotFoundCauses);
  EXPECT_EQ(folderList(*dialog).Path(), dest);
  EXPECT_EQ(driveList(*dialog).Drive(), drive);

  // A folder that vanished under the list is reported as it is opened.
  dialogs.clear();
  ASSERT_TRUE(QDir(dest).mkdir("vanishing"));
  ASSERT_TRUE(folderList(*dialog).SetPath(dest));
  ASSERT_TRUE(QDir(dest).rmdir("vanishing"));
  testsupport::DoubleClickLine(&folderList(*dialog), testsupport::LineNamed(&folderList(*dialog), "vanishing"));
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].title, "No such file or directory");
  EXPECT_EQ(folderList(*dialog).Path(), dest);
}

TEST_F(TallyholdDestinationTest, ADriveThatIsNotReadyIsTriedAgainOnlyAfterRetry) {
  const QString dest = folder("dest");
  const QString medium = dir.filePath("medium");
  const NotReadyDrive notReady(medium);
  frmExtractAll dialog(source());
  dialog.show();
  ASSERT_TRUE(folderList(dialog).SetPath(dest));
  const QString drive = driveList(dialog).Drive();

  // Cancel gives up at once.
  dialogs.answerMessage(MsgAnswer::Cancel);
  chooseDrive(dialog, medium);
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].text,
            "Error: 68, " + QString::fromStdString(std::make_error_code(std::errc::no_such_device).message()));
  EXPECT_EQ(dialogs.messages()[0].title, "Device/Drive Error");
  EXPECT_EQ(dialogs.messages()[0].buttons, platform::MsgButtons::RetryCancel);
  EXPECT_EQ(folderList(dialog).Path(), dest);
  EXPECT_EQ(driveList(dialog).Drive(), drive);

  // Retry tries again; the medium is in by then.
  dialogs.clear();
  dialogs.answerMessage(MsgAnswer::Retry);
  dialogs.onNextMessage([&] { QDir().mkpath(medium); });
  chooseDrive(dialog, medium);
  EXPECT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(folderList(dialog).Path(), medium);
}

}  // namespace
}  // namespace tallyhold::testing
