#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "tallyhold/windows/ErrorHandler.h"
#include "tests/support/PlatformRecorders.h"
#include "tests/support/ScriptedDialogs.h"

using namespace tallyhold;
using namespace testsupport;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

class TallyholdExtractErrorHandler : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  EndProgramRecorder ending;
};

TEST_F(TallyholdExtractErrorHandler, FileNotFoundEndsTheProgramAfterItsBox) {
  int endsWhileShown = -1;
  dialogs.onNextMessage([&] { endsWhileShown = ending.calls(); });
  HandleError(53, "File not found", "");
  ASSERT_EQ(dialogs.messages().size(), 1);
  const ShownBox box = dialogs.messages().first();
  EXPECT_EQ(box.text, "Fatal Error: 53, File not found ''\r\rThe program can't continue and it will be closed.\r"
                      "If the problem persists please contact the author.");
  EXPECT_EQ(box.title, "File not Found Error");
  EXPECT_EQ(box.icon, MsgIcon::Critical);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(endsWhileShown, 0);
  EXPECT_EQ(ending.calls(), 1);
}

TEST_F(TallyholdExtractErrorHandler, DeviceErrorReturnsTheAnswer) {
  dialogs.answerMessage(MsgAnswer::Retry);
  EXPECT_EQ(HandleError(68, "No medium found", ""), MsgAnswer::Retry);
  dialogs.answerMessage(MsgAnswer::Cancel);
  EXPECT_EQ(HandleError(68, "No medium found", ""), MsgAnswer::Cancel);
  ASSERT_EQ(dialogs.messages().size(), 2);
  ExpectBox(dialogs.messages().first(), "Error: 68, No medium found", "Device/Drive Error", MsgIcon::Exclamation,
            MsgButtons::RetryCancel);
  EXPECT_EQ(ending.calls(), 0);
}

TEST_F(TallyholdExtractErrorHandler, PathErrorsShowTheirDescriptionAsTitleAndReturn) {
  HandleError(75, "File exists", "");
  HandleError(76, "No such file or directory", "");
  ASSERT_EQ(dialogs.messages().size(), 2);
  ExpectBox(dialogs.messages()[0], "Error: 75, the path already exists", "File exists", MsgIcon::Exclamation,
            MsgButtons::Ok);
  ExpectBox(dialogs.messages()[1],
            "Error: 76, No such file or directory\r\r     Possible causes and solutions:\r\r"
            "1. You have tried to create a folder with more than 255 characters, Windows can't handle more than "
            "that long\r"
            "2. You're using too much Microsoft software, burn your computer and install Linux\r"
            "3. It could be a bug! Check readme.txt for further information",
            "No such file or directory", MsgIcon::Exclamation, MsgButtons::Ok);
  EXPECT_EQ(ending.calls(), 0);
}

TEST_F(TallyholdExtractErrorHandler, UnknownNumbersEndTheProgramWithoutABox) {
  HandleError(52, "Bad file name or number", "");
  EXPECT_TRUE(dialogs.shown().isEmpty());
  EXPECT_EQ(ending.calls(), 1);
}

TEST_F(TallyholdExtractErrorHandler, EveryFileSystemFailureReachesAMessageWithTheSystemsReason) {
  const std::pair<int, int32_t> cases[] = {{ENOENT, 76}, {ENOTDIR, 76}, {ENAMETOOLONG, 76}, {ENOMEDIUM, 68},
                                           {ENODEV, 68}, {EEXIST, 75},  {EACCES, 70},       {EPERM, 70},
                                           {EROFS, 70},  {ENOSPC, 61},  {EDQUOT, 61},       {EINVAL, 64},
                                           {EIO, 57},    {EMLINK, 57}};
  for (const auto& [error, number] : cases) {
    const FileSystemFailure failure = FileSystemFailureOf(std::error_code(error, std::generic_category()));
    EXPECT_EQ(failure.number, number) << error;
    EXPECT_EQ(failure.description, QString::fromStdString(std::generic_category().message(error)));
  }
  for (const int32_t number : {57, 61, 64, 70}) {
    dialogs.clear();
    HandleError(number, "Permission denied", "");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().text, "Error: " + QString::number(number) + ", Permission denied");
    EXPECT_EQ(dialogs.messages().first().title, "Permission denied");
  }

  // A folder made in a missing parent, as the new-folder command does it.
  dialogs.clear();
  std::error_code error;
  std::filesystem::create_directory("/nonexistent-parent-of-tallyhold/new", error);
  const FileSystemFailure failure = FileSystemFailureOf(error);
  HandleError(failure.number, failure.description, "");
  ASSERT_EQ(dialogs.messages().size(), 1);
  EXPECT_TRUE(dialogs.messages().first().text.startsWith("Error: 76, No such file or directory\r\r"));
  EXPECT_EQ(ending.calls(), 0);
}

}  // namespace
