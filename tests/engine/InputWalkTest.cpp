// The walk of create's input: how deep it goes, and the names and sizes it refuses.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "engine/pack/InputTree.h"
#include "tests/support/FileTree.h"

using namespace testsupport;

namespace {

class EngineInputWalk : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(QDir().mkpath(path("in"))); }

  engine::InputTree walk() const {
    platform::FolderHandle root;
    EXPECT_EQ(platform::FolderHandle::Open(path("in"), root), 0);
    engine::InputTree tree;
    engine::WalkInput(root, QStringLiteral("in"), {}, tree);
    return tree;
  }
  QString path(const QString& relative) const { return scratch.filePath(relative); }

  QTemporaryDir scratch;
};

QList<QByteArray> namesOf(const engine::InputTree& tree) {
  QList<QByteArray> names;
  for (const engine::InputFile& file : tree.files) names << file.name;
  return names;
}

// in/d/d/.../d/F, made level by level through descriptors: its whole path is
// longer than the system takes at once.
void makeChain(const QString& root, int depth) {
  int folder = ::open(QFile::encodeName(root).constData(), O_DIRECTORY | O_RDONLY);
  for (int level = 0; level < depth && folder >= 0; ++level) {
    const int next = ::mkdirat(folder, "d", 0700) == 0 ? ::openat(folder, "d", O_DIRECTORY | O_RDONLY) : -1;
    ::close(folder);
    folder = next;
  }
  ASSERT_GE(folder, 0);
  const int file = ::openat(folder, "F", O_CREAT | O_WRONLY, 0600);
  EXPECT_GE(file, 0);
  ::close(file);
  ::close(folder);
}

// From the bottom up, each folder removed from its parent, found by "..":
// no path reaches the bottom.
void removeChain(const QString& root, int depth) {
  int folder = ::open(QFile::encodeName(root).constData(), O_DIRECTORY | O_RDONLY);
  for (int level = 0; level < depth; ++level) {
    const int next = ::openat(folder, "d", O_DIRECTORY | O_RDONLY);
    ::close(folder);
    folder = next;
  }
  ::unlinkat(folder, "F", 0);
  for (int level = 0; level < depth; ++level) {
    const int parent = ::openat(folder, "..", O_DIRECTORY | O_RDONLY);
    ::close(folder);
    ::unlinkat(parent, "d", AT_REMOVEDIR);
    folder = parent;
  }
  ::close(folder);
}

// Far below what names can reach, with few descriptors allowed: the folder at
// level 128, whose names below would all pass 255 bytes, is refused, and
// nothing below it is opened.
TEST_F(EngineInputWalk, AFolderTooDeepForAnyNameBelowItIsRefusedBeforeTheWalkGoesOn) {
  constexpr int Depth = 1000;
  makeChain(path("in"), Depth);
  rlimit descriptors{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &descriptors), 0);
  const rlimit few{200, descriptors.rlim_max};
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
  const engine::InputTree tree = walk();
  ::setrlimit(RLIMIT_NOFILE, &descriptors);
  removeChain(path("in"), Depth);
  QString folder = QStringLiteral("in");
  for (int level = 0; level < 128; ++level) folder += "/d";
  EXPECT_EQ(tree.refused, QStringList{folder + ": the names below it in the archive would be more than 256 bytes "
                                               "long; the readers keep 255"});
  EXPECT_TRUE(tree.files.empty());
  EXPECT_EQ(tree.leftOut, QStringList{});
}

// A name of 255 bytes fits; one of 256 does not, and neither does a folder
// that leaves no room for a name below it, though it is empty.
TEST_F(EngineInputWalk, NamesUpTo255BytesAreTakenAndLongerOnesRefused) {
  const QString fits = QString(253, 'D') + "/F";
  WriteTree(path("in"), {{fits, "x"}, {QString(253, 'G') + "/FF", "x"}});
  ASSERT_TRUE(QDir().mkpath(path("in/" + QString(254, 'E'))));
  const engine::InputTree tree = walk();
  EXPECT_EQ(namesOf(tree), QList<QByteArray>{fits.toLatin1().replace('/', '\\')});
  ASSERT_EQ(tree.refused.size(), 2);
  EXPECT_TRUE(tree.refused[0].endsWith(QString(254, 'E') +
                                       ": the names below it in the archive would be more than "
                                       "255 bytes long; the readers keep 255"));
  EXPECT_TRUE(
      tree.refused[1].endsWith("FF: its name in the archive would be 256 bytes long; the readers keep 255"));
}

// Sparse files: only their sizes are looked at.
TEST_F(EngineInputWalk, AFileOf2GiBIsRefusedAndOneByteLessTaken) {
  QFile big(path("in/BIG")), fits(path("in/FITS"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64{1} << 31));
  ASSERT_TRUE(fits.open(QIODevice::WriteOnly) && fits.resize((qint64{1} << 31) - 1));
  const engine::InputTree tree = walk();
  EXPECT_EQ(namesOf(tree), QList<QByteArray>{"FITS"});
  EXPECT_EQ(tree.refused, QStringList{"in/BIG: an entry holds at most 2 GiB - 1 bytes"});
}

}  // namespace
