#include <gtest/gtest.h>

#include <cerrno>

#include "engine/extract/ExtractErrors.h"
#include "engine/extract/ExtractReport.h"

using namespace engine;

namespace {

TEST(EngineExtractReport, SkippedEntriesAddTheirCountAndTheFirstNamesWithTheirReasons) {
  SkippedEntries none;
  EXPECT_EQ(none.CompletionAddition(), "");

  SkippedEntries one;
  one.Add("ART\\BROKEN.FRM", "the compressed data are damaged (invalid distance too far back)");
  EXPECT_EQ(one.CompletionAddition(), "\r\r1 entry was skipped:\rART\\BROKEN.FRM: the compressed data are damaged "
                                      "(invalid distance too far back)");

  SkippedEntries many;
  for (int i = 1; i <= 7; ++i) many.Add("E" + QByteArray::number(i) + "\xE9\x01", "why " + QString::number(i));
  EXPECT_EQ(many.Count(), 7);
  EXPECT_EQ(many.CompletionAddition(),
            QString::fromUtf8("\r\r7 entries were skipped:\rE1é\\x01: why 1\rE2é\\x01: why 2\rE3é\\x01: why 3\r"
                              "E4é\\x01: why 4\rE5é\\x01: why 5\rand 2 more"));
}

TEST(EngineExtractReport, AWriteFailureNamesTheFileAndTheSystemsReason) {
  EXPECT_EQ(WriteFailureText(ExtractResult::Failure("/out/archive.dat/ART/X.FRM", "No space left on device")),
            "Could not write /out/archive.dat/ART/X.FRM\r\rNo space left on device\r\r"
            "The extraction has been stopped.");
}

TEST(EngineExtractReport, ANameTheFileSystemRefusesIsTheEntrysProblemAnyOtherFailureTheDestinations) {
  for (const int error : {ENAMETOOLONG, EINVAL, EILSEQ, ELOOP, ENOTDIR, EISDIR})
    EXPECT_THROW(ThrowForSystemError(error, "/out/X"), EntryDataError) << error;
  for (const int error : {ENOSPC, EROFS, EACCES, EIO, EFBIG, EDQUOT})
    EXPECT_THROW(ThrowForSystemError(error, "/out/X"), DestinationError) << error;
}

}  // namespace
