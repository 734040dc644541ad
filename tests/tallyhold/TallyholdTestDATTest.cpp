// Tools > Test DAT through the frame's menu, as the user runs it.
#include <QDir>

#include "tallyhold/windows/ProgressForm.h"
#include "tests/tallyhold/TallyholdWindowsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::FixtureEntry;
using testsupport::SampleText;

FixtureEntry broken(const QByteArray& name, bool compressed, const std::function<void(FixtureEntry&)>& change) {
  FixtureEntry entry{name, SampleText(20'000, 4), compressed};
  change(entry);
  return entry;
}

class TallyholdTestDATTest : public WindowsFixture {
 protected:
  // Opens the archive and runs Test DAT; the one box it shows.
  testsupport::ShownBox testArchive(const DatWriter& writer) {
    EXPECT_NE(openViaMenu(write(writer)), nullptr);
    dialogs.clear();
    action("mnuTestDAT")->trigger();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(frame().isEnabled());
    EXPECT_EQ(shownProgressForm(), nullptr);
    return dialogs.messages().value(0, testsupport::ShownBox(testsupport::ShownBox::Message, {}, {}));
  }
  QStringList testFolder() const {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
};

TEST_F(TallyholdTestDATTest, EachKindOfDamageIsNamedWithItsReasonAndNothingIsWritten) {
  const QByteArray stream = testsupport::ZlibCompress(SampleText(20'000, 4));
  QByteArray badChecksum = stream;
  badChecksum[stream.size() - 1] = static_cast<char>(badChecksum[stream.size() - 1] ^ 1);
  DatWriter writer;
  writer.add("GOOD\\STORED.TXT", "stored").add("GOOD\\PACKED.TXT", SampleText(30'000, 5), true);
  writer.add(broken("BAD\\OUTSIDE", false, [](FixtureEntry& e) { e.offset = 1 << 30; }))
      .add(broken("BAD\\SIZES", false, [](FixtureEntry& e) { e.realSize = 20'001; }))
      .add(broken("BAD\\CHECKSUM", true, [&](FixtureEntry& e) { e.body = badChecksum; }))
      .add(broken("BAD\\CUT", true, [&](FixtureEntry& e) { e.body = stream.left(stream.size() / 2); }))
      .add(broken("BAD\\LONGER", true, [](FixtureEntry& e) { e.realSize = 19'999; }))
      .add(broken("BAD\\NEGATIVE", true, [](FixtureEntry& e) { e.realSize = -1; }))
      .add(broken("BAD\\..\\UNSAFE", false, [](FixtureEntry&) {}));
  const testsupport::ShownBox box = testArchive(writer);
  EXPECT_EQ(box.title, "Test DAT");
  EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
  const QStringList lines = box.text.split('\r');
  ASSERT_EQ(lines.size(), 10) << box.text.toStdString();
  EXPECT_EQ(lines[0], "2 of 9 entries are intact.");
  EXPECT_EQ(lines[2], "7 entries are damaged:");
  const auto reasonOf = [&](const QString& name) {
    for (const QString& line : lines)
      if (line.startsWith(name + ": ")) return line.mid(name.size() + 2);
    return QString();
  };
  EXPECT_TRUE(reasonOf("BAD\\OUTSIDE").contains("outside the archive"));
  EXPECT_TRUE(reasonOf("BAD\\SIZES").contains("RealSize"));
  EXPECT_TRUE(reasonOf("BAD\\CHECKSUM").contains("damaged"));
  EXPECT_TRUE(reasonOf("BAD\\CUT").contains("end before the stream is complete"));
  EXPECT_TRUE(reasonOf("BAD\\LONGER").contains("more than 19999 bytes"));
  EXPECT_TRUE(reasonOf("BAD\\NEGATIVE").contains("negative"));
  EXPECT_FALSE(reasonOf("BAD\\..\\UNSAFE").isEmpty());
  EXPECT_EQ(testFolder(), QStringList{"archive.dat"});
}

TEST_F(TallyholdTestDATTest, AnIntactArchiveIsSaidSoAndManyDamagedEntriesAreCountedAfterTwenty) {
  testsupport::ShownBox box = testArchive(DatWriter().add("A.TXT", "a").add("B\\C.TXT", SampleText(5000), true));
  EXPECT_EQ(box.text, "All 2 entries are intact.");
  EXPECT_EQ(box.icon, platform::MsgIcon::Information);

  DatWriter writer;
  for (int i = 0; i < 23; ++i)
    writer.add(broken(QStringLiteral("BAD%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1(), false,
                      [](FixtureEntry& e) { e.offset = 1 << 30; }));
  box = testArchive(writer);
  const QStringList lines = box.text.split('\r');
  ASSERT_EQ(lines.size(), 24);
  EXPECT_EQ(lines[0], "0 of 23 entries are intact.");
  EXPECT_TRUE(lines[22].startsWith("BAD19: "));
  EXPECT_EQ(lines[23], "and 3 more");
}

TEST_F(TallyholdTestDATTest, WithoutAnArchiveThereIsNothingToTest) {
  action("mnuTestDAT")->trigger();
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_EQ(dialogs.messages()[0].text, "There is no DAT file open to test.");
  EXPECT_EQ(shownProgressForm(), nullptr);
}

TEST_F(TallyholdTestDATTest, CancelStopsTheTestAndSaysHowFarItWent) {
  DatWriter writer;
  for (int i = 0; i < 5; ++i) writer.add(QStringLiteral("E%1.TXT").arg(i).toLatin1(), "e");
  ASSERT_NE(openViaMenu(write(writer)), nullptr);
  dialogs.clear();
  const AtEveryYield cancel([](ProgressForm& form, int) { pressCancel(form); });
  action("mnuTestDAT")->trigger();
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox box = dialogs.messages()[0];
  EXPECT_TRUE(box.text.startsWith("The test was stopped after ")) << box.text.toStdString();
  EXPECT_TRUE(box.text.contains(" of 5: ")) << box.text.toStdString();
  EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
}

}  // namespace
}  // namespace tallyhold::testing
