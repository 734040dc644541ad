#include "common/platform/StartFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

TEST(StartFolder, AnInstalledProgramStartsInTheHomeFolder) {
  EXPECT_EQ(platform::StartFolder(QStringLiteral(SKARROW_INSTALL_BINDIR)), QDir::homePath());
}

TEST(StartFolder, ACopyInAFolderItMayWriteStartsThere) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_EQ(platform::StartFolder(dir.path()), dir.path());
}

TEST(StartFolder, AProgramFolderThatCannotBeWrittenGivesTheHomeFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_EQ(platform::StartFolder(dir.filePath("gone")), QDir::homePath());
}

}  // namespace
