// The packer's run: where it takes a stop.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/platform/SafeFile.h"
#include "engine/pack/ArchivePacker.h"
#include "engine/pack/DatArchiveWriter.h"
#include "tests/support/FileTree.h"

namespace {

// Each file is asked for a stop as it is handed out; the last ones are still
// being read and written after that, and a stop meanwhile must count.
TEST(EngineArchivePacker, AStopWhileTheLastFilesAreWrittenStopsThePack) {
  QTemporaryDir scratch;
  testsupport::WriteTree(scratch.filePath("in"), {{"A.TXT", "a"}, {"B.TXT", "b"}, {"C.TXT", "c"}});
  platform::FolderHandle root;
  ASSERT_EQ(platform::FolderHandle::Open(scratch.filePath("in"), root), 0);
  engine::InputTree tree;
  engine::WalkInput(root, QStringLiteral("in"), {}, tree);
  ASSERT_EQ(tree.files.size(), 3U);
  auto folder = std::make_shared<platform::FolderHandle>();
  ASSERT_EQ(platform::FolderHandle::Open(scratch.path(), *folder), 0);
  platform::SafeFile file;
  ASSERT_EQ(file.Create(folder, "test"), 0);
  engine::DatArchiveWriter writer(file);
  engine::PackOptions options;
  options.workers = 2;
  int asked = 0;
  const engine::PackResult result = engine::PackFiles(
      tree, {&root}, options, writer, [](qint64) {}, [&asked] { return ++asked > 3; });
  EXPECT_TRUE(result.stopped);
}

}  // namespace
