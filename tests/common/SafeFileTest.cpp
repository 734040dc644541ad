#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/platform/HiddenFiles.h"
#include "common/platform/SafeFile.h"
#include "tests/support/DatWriter.h"

using namespace platform;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FolderHandle::Open(dir.path(), *folder), 0); }
  QString path(const QString& name) const { return dir.filePath(name); }
  QStringList names() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  }

  QTemporaryDir dir;
  std::shared_ptr<FolderHandle> folder = std::make_shared<FolderHandle>();
};

TEST_F(SafeFileTest, ALongerFileReplacedHoldsExactlyTheNewBytes) {
  ASSERT_TRUE(WriteFile(path("out.bin"), QByteArray(5000, 'o')));
  SafeFile file;
  ASSERT_EQ(file.Create(folder, "test"), 0);
  ASSERT_EQ(file.Write("0123456789", 10), 0);
  ASSERT_EQ(file.Truncate(4), 0);
  ASSERT_EQ(file.Write("ab", 2), 0);
  bool replaced = false;
  ASSERT_EQ(file.Commit("out.bin", &replaced), 0);
  EXPECT_TRUE(replaced);
  EXPECT_EQ(ReadFile(path("out.bin")), "0123ab");
  EXPECT_EQ(names(), QStringList{"out.bin"});
}

TEST_F(SafeFileTest, TheHiddenFileIsLockedUntilItIsCommittedAndThenGone) {
  SafeFile file;
  ASSERT_EQ(file.Create(folder, "test"), 0);
  ASSERT_EQ(file.Write("data", 4), 0);
  ASSERT_EQ(file.Close(), 0);
  const QStringList hidden = names();
  ASSERT_EQ(hidden.size(), 1);
  EXPECT_TRUE(hiddenfiles::IsName(hidden.first().toStdString(), "test")) << hidden.first().toStdString();
  EXPECT_EQ(SafeFile::RemoveStale(*folder, "test"), 0);  // closed for writing, still held
  EXPECT_EQ(names(), hidden);
  ASSERT_EQ(file.Commit("done.txt"), 0);
  EXPECT_EQ(names(), QStringList{"done.txt"});
}

TEST_F(SafeFileTest, OnlyUnlockedHiddenFilesOfThePrefixAreStale) {
  SafeFile live;
  ASSERT_EQ(live.Create(folder, "test"), 0);
  QStringList kept = names();
  kept << ".other-abc.part"
       << ".test-ABC.part"
       << ".test-.part"
       << "test-abc.part"
       << ".test-abc.part.txt";
  for (const QString& name : kept.mid(1)) WriteFile(path(name), "x");
  WriteFile(path(QString::fromStdString(hiddenfiles::Name("test", 12345))), "left by a run that died");
  EXPECT_EQ(SafeFile::RemoveStale(*folder, "test"), 1);
  kept.sort();
  EXPECT_EQ(names(), kept);
}

TEST_F(SafeFileTest, TheFileToKeepIsNeverReplaced) {
  ASSERT_TRUE(WriteFile(path("archive.dat"), "the archive"));
  {
    SafeFile file;
    ASSERT_EQ(file.Create(folder, "test"), 0);
    ASSERT_EQ(file.Write("entry", 5), 0);
    EXPECT_EQ(file.Commit("archive.dat", nullptr, folder->IdOf("archive.dat")), SafeFile::KeptInPlace);
  }
  EXPECT_EQ(ReadFile(path("archive.dat")), "the archive");
  EXPECT_EQ(names(), QStringList{"archive.dat"});
}

// A file, or a link, that appeared after the name was looked at stays.
TEST_F(SafeFileTest, CommitIfFreeTakesOnlyAFreeName) {
  ASSERT_TRUE(WriteFile(path("taken.txt"), "the user's"));
  ASSERT_TRUE(QFile::link(path("nowhere"), path("link.txt")));
  for (const char* name : {"taken.txt", "link.txt"}) {
    SafeFile file;
    ASSERT_EQ(file.Create(folder, "test"), 0);
    ASSERT_EQ(file.Write("new", 3), 0);
    EXPECT_EQ(file.CommitIfFree(name), EEXIST) << name;
  }
  SafeFile free;
  ASSERT_EQ(free.Create(folder, "test"), 0);
  ASSERT_EQ(free.CommitIfFree("free.txt"), 0);
  EXPECT_EQ(ReadFile(path("taken.txt")), "the user's");
  EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
  EXPECT_EQ(names(), (QStringList{"free.txt", "link.txt", "taken.txt"}));
}

// What a handler calls on a second signal: every file not yet committed goes.
TEST_F(SafeFileTest, RemovingAllHiddenFilesSparesCommittedOnes) {
  SafeFile committed, pending;
  ASSERT_EQ(committed.Create(folder, "test"), 0);
  ASSERT_EQ(committed.Commit("kept.txt"), 0);
  ASSERT_EQ(pending.Create(folder, "test"), 0);
  ASSERT_EQ(names().size(), 2);
  hiddenfiles::RemoveAll();
  EXPECT_EQ(names(), QStringList{"kept.txt"});
}

}  // namespace
