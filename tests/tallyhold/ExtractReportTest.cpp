#include <gtest/gtest.h>

#include "tallyhold/extract/ExtractReport.h"
#include "tests/support/ScriptedDialogs.h"

using namespace tallyhold;
using namespace testsupport;

namespace {

TEST(TallyholdExtractReport, SkippedEntriesAddTheirCountAndTheFirstNames) {
  SkippedEntries none;
  EXPECT_EQ(none.CompletionAddition(), "");

  SkippedEntries one;
  one.Add("ART\\BROKEN.FRM");
  EXPECT_EQ(one.CompletionAddition(),
            "\r\r1 entry was skipped because its data are damaged or its name is unsafe: ART\\BROKEN.FRM");

  SkippedEntries many;
  for (int i = 1; i <= 7; ++i) many.Add("E" + QByteArray::number(i) + "\xE9");
  EXPECT_EQ(many.Count(), 7);
  EXPECT_EQ(many.CompletionAddition(),
            QString::fromUtf8("\r\r7 entries were skipped because their data are damaged or their names are "
                              "unsafe: E1é, E2é, E3é, E4é, E5é, ..."));
}

TEST(TallyholdExtractReport, AWriteFailureIsShownWithTheFileAndTheSystemsReason) {
  ScriptedDialogs dialogs;
  ReportWriteFailure({ExtractOutcome::WriteFailed, "/out/archive.dat/ART/X.FRM", "No space left on device"});
  ASSERT_EQ(dialogs.messages().size(), 1);
  const ShownBox box = dialogs.messages().first();
  EXPECT_EQ(box.text,
            "Could not write /out/archive.dat/ART/X.FRM\r\rNo space left on device\r\r"
            "The extraction has been stopped.");
  EXPECT_EQ(box.title, "Extraction stopped");
  EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
  EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
}

}  // namespace
