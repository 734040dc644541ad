#include "tests/ledgerlamp/LedgerlampWindowTest.h"

using namespace ledgerlamptest;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using testsupport::ShownBox;

namespace {

class LedgerlampNavigate : public LedgerlampWindowTest {
 protected:
  void SetUp() override {
    LedgerlampWindowTest::SetUp();
    open("five.dat", FiveRecords().build());
    dialogs.clear();
  }

  const QList<QByteArray> names = NamesOf(FiveRecords());
};

TEST_F(LedgerlampNavigate, MovingCommandsShowTheirRecordAndSetTheButtons) {
  click("cmdNext");
  expectRecord(2, names[1]);
  EXPECT_EQ(text("txtType"), "1");
  EXPECT_EQ(text("txtRealSize"), "3000");
  EXPECT_EQ(text("txtOffset"), "5h");
  EXPECT_EQ(commands(), "FPNLJU");
  EXPECT_TRUE(position().isEmpty());

  click("cmdLast");
  expectRecord(5, names[4]);
  EXPECT_EQ(commands(), "FP--JU");
  EXPECT_EQ(position(), "Last record reached");

  click("cmdPrev");
  expectRecord(4, names[3]);
  EXPECT_EQ(commands(), "FPNLJU");
  EXPECT_TRUE(position().isEmpty());

  click("cmdPrev");
  click("cmdPrev");
  expectRecord(2, names[1]);
  click("cmdFirst");
  expectRecord(1, names[0]);
  EXPECT_EQ(commands(), "--NLJU");
  EXPECT_EQ(position(), "First record reached");
  EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(LedgerlampNavigate, JumpWarnsAboutEveryReplyOutsideTheRangeUntilRetryGetsAValidOne) {
  for (const char* reply : {"0", "9", "word", ""}) {
    dialogs.answerInput(reply);
    dialogs.answerMessage(MsgAnswer::Retry);
  }
  dialogs.answerInput(" 3 ");
  click("cmdJump");

  const QList<ShownBox> shown = dialogs.shown();
  ASSERT_EQ(shown.size(), 9);
  for (int i = 0; i < 9; i += 2) {
    EXPECT_EQ(shown[i].kind, ShownBox::Input);
    EXPECT_EQ(shown[i].title, "Jump to index...");
    EXPECT_EQ(shown[i].text, "Enter the index:\r\rRange: 1 to 5");
    EXPECT_TRUE(shown[i].defaultText.isEmpty());
  }
  for (int i = 1; i < 9; i += 2) {
    EXPECT_EQ(shown[i].kind, ShownBox::Message);
    EXPECT_EQ(shown[i].text, "The number can't be less than 1 or higher than the FilesTotal, that is 5");
    EXPECT_EQ(shown[i].title, "Ledgerlamp");
    EXPECT_EQ(shown[i].icon, MsgIcon::Exclamation);
    EXPECT_EQ(shown[i].buttons, MsgButtons::RetryCancel);
  }
  expectRecord(3, names[2]);
  EXPECT_EQ(commands(), "FPNLJU");

  dialogs.clear();
  dialogs.answerInput("7");
  dialogs.answerMessage(MsgAnswer::Cancel);
  click("cmdJump");
  EXPECT_EQ(dialogs.shown().size(), 2);  // Cancel ends the command
  expectRecord(3, names[2]);

  dialogs.answerInput("4.5");  // rounds to 4
  click("cmdJump");
  expectRecord(4, names[3]);
  dialogs.answerInput("4");  // the record already shown
  click("cmdJump");
  expectRecord(4, names[3]);
  EXPECT_EQ(commands(), "FPNLJU");
  dialogs.answerInput("5");
  click("cmdJump");
  EXPECT_EQ(position(), "Last record reached");
}

class LedgerlampSmallArchives : public LedgerlampWindowTest {};

TEST_F(LedgerlampSmallArchives, OnASingleRecordNextAndLastStayOnRecordOne) {
  open("single.dat", testsupport::DatWriter().add("ONLY.TXT", "only").build());
  EXPECT_EQ(commands(), "--NLJU");
  click("cmdNext");
  expectRecord(1, "ONLY.TXT");
  click("cmdLast");
  expectRecord(1, "ONLY.TXT");
  EXPECT_EQ(position(), "First record reached");
  EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(LedgerlampSmallArchives, LongNamesShowTheirFirst255BytesAndTheNextRecordFollows) {
  const QByteArray longName = QByteArray("caf\xe9\\") + QByteArray(400, 'L');
  open("long.dat", testsupport::DatWriter().add(longName, "one").add("NEXT.TXT", "two").build());
  EXPECT_EQ(text("txtFilenameSize"), "405");
  EXPECT_EQ(text("txtFilename"), QString::fromLatin1(longName.left(255)));
  EXPECT_TRUE(text("txtFilename").startsWith(QString::fromUtf8("caf\u00e9\\")));
  EXPECT_EQ(child<QLineEdit>("txtFilename")->cursorPosition(), 0);  // the box shows the name's start
  click("cmdNext");
  expectRecord(2, "NEXT.TXT");
  EXPECT_EQ(text("txtOffset"), "3h");
}

}  // namespace
