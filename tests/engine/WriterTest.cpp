#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/platform/SafeFile.h"
#include "engine/pack/DatArchiveWriter.h"

namespace {

// Offsets and sizes are signed 32-bit: what would pass 2 GiB is refused
// before any of it is written (the body's bytes are never read).
TEST(EngineWriter, ABodyOrARealSizePast2GiBIsRefusedBeforeItIsWritten) {
  QTemporaryDir scratch;
  auto folder = std::make_shared<platform::FolderHandle>();
  ASSERT_EQ(platform::FolderHandle::Open(scratch.path(), *folder), 0);
  platform::SafeFile file;
  ASSERT_EQ(file.Create(folder, "test"), 0);
  engine::DatArchiveWriter writer(file);
  writer.WriteBody("x", 1);
  EXPECT_THROW(writer.WriteBody("x", (qint64{1} << 31) - 1), engine::ArchiveWriteError);
  EXPECT_EQ(writer.Size(), 1);
  EXPECT_THROW(writer.EndEntry("HUGE", true, qint64{1} << 31), engine::ArchiveWriteError);
  writer.EndEntry("LAST", true, (qint64{1} << 31) - 1);
  writer.Finish();
  EXPECT_EQ(writer.Size(), 1 + 4 + 17 + 4 + 8);
}

}  // namespace
