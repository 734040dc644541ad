#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QRandomGenerator>
#include <csignal>

#include "common/platform/MemorySource.h"
#include "engine/extract/ExtractEntry.h"
#include "engine/extract/FileDecompressor.h"
#include "engine/extract/OutputPaths.h"
#include "engine/extract/PiecePlan.h"
#include "tests/engine/ExtractFixture.h"
#include "tests/support/DatWriter.h"
#include "tests/widgets/QtPrinters.h"

using namespace engine;
using namespace testsupport;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed) {
  QByteArray bytes((size + 3) & ~3, Qt::Uninitialized);
  QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
  bytes.truncate(size);
  return bytes;
}

using Layout = ExtractDestination::Layout;

class EngineExtractEntry : public ::testing::Test {
 protected:
  ExtractResult extract(const OpenArchive& archive, std::size_t index, ExtractDestination& destination) {
    return ExtractEntry(archive.entries.at(index), *archive.source, decompressor, destination, observer);
  }

  std::unique_ptr<FileDecompressor> decompressor;
  RecordingObserver observer;
  QStringList& statusTexts = observer.statusTexts;
};

// A file may hand out fewer bytes than asked at any read.
TEST_F(EngineExtractEntry, BodiesReadInOddSizedPiecesComeOutWhole) {
  const QByteArray text = SampleText(70'000, 2);
  const QByteArray bytes = DatWriter().add("A.MSG", text, true).add("B.TXT", "stored as it is").build();
  const OpenArchive archive(bytes);
  const platform::MemorySource pieces(bytes, 7);
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  for (std::size_t i = 0; i < 2; ++i)
    EXPECT_EQ(ExtractEntry(archive.entries.at(i), pieces, decompressor, destination, observer).outcome,
              ExtractOutcome::Extracted);
  EXPECT_EQ(ReadFile(archive.dest("A.MSG")), text);
  EXPECT_EQ(ReadFile(archive.dest("B.TXT")), "stored as it is");
}

TEST_F(EngineExtractEntry, SmallEntriesAreWrittenExactlyWithNothingBesideThem) {
  const QByteArray text = SampleText(70'000, 1);
  OpenArchive archive(DatWriter()
                          .add("TEXT\\GAME\\MAPTEXT.MSG", text, true)
                          .add("README.TXT", "stored as it is")
                          .add("EMPTY.DAT", ""));
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  const ExtractResult first = extract(archive, 0, destination);
  EXPECT_EQ(first.outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(first.file, archive.dest("MAPTEXT.MSG"));
  ASSERT_NE(decompressor, nullptr);  // made at the first compressed entry
  for (std::size_t i = 1; i < 3; ++i)
    EXPECT_EQ(extract(archive, i, destination).outcome, ExtractOutcome::Extracted);

  EXPECT_EQ(ReadFile(archive.dest("MAPTEXT.MSG")), text);
  EXPECT_EQ(ReadFile(archive.dest("README.TXT")), "stored as it is");
  EXPECT_TRUE(QFile::exists(archive.dest("EMPTY.DAT")));
  EXPECT_EQ(QFileInfo(archive.dest("EMPTY.DAT")).size(), 0);
  EXPECT_EQ(archive.destContents(), (QStringList{"EMPTY.DAT", "MAPTEXT.MSG", "README.TXT"}));
  EXPECT_TRUE(statusTexts.isEmpty());  // the caller's "Extracting " text stays
}

TEST_F(EngineExtractEntry, StoredEntriesNeedNoDecompressor) {
  OpenArchive archive(DatWriter().add("A.BIN", "abc"));
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  EXPECT_EQ(extract(archive, 0, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(decompressor, nullptr);
}

TEST_F(EngineExtractEntry, EntriesAboveChunkLimitAreCopiedInPiecesByteExact) {
  const QByteArray stored = randomBytes(9'000'000, 7);
  const QByteArray packed = randomBytes(16'777'000, 8);  // incompressible: its stream passes 16,777,219 bytes
  FixtureEntry compressed;
  compressed.name = "BIG\\PACKED.BIN";
  compressed.data = packed;
  compressed.compressed = true;
  compressed.body = ZlibCompress(packed, 1);
  ASSERT_GT(compressed.body->size(), 16'777'218);
  OpenArchive archive(DatWriter().add("BIG\\STORED.BIN", stored).add(compressed));
  ExtractDestination destination(archive.dest(), {}, Layout::Tree);

  ASSERT_EQ(extract(archive, 0, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(ReadFile(archive.dest("BIG/STORED.BIN")), stored);
  EXPECT_EQ(statusTexts, (QStringList{"File BIG\\STORED.BIN to big for extraction, processing...",
                                      "Extracting BIG\\STORED.BIN 1/2", "Extracting BIG\\STORED.BIN 2/2"}));
  EXPECT_EQ(decompressor, nullptr);

  statusTexts.clear();
  ASSERT_EQ(extract(archive, 1, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(ReadFile(archive.dest("BIG/PACKED.BIN")), packed);
  EXPECT_EQ(statusTexts, (QStringList{"File BIG\\PACKED.BIN to big for extraction, processing...",
                                      "Extracting BIG\\PACKED.BIN 1/4", "Extracting BIG\\PACKED.BIN 2/4",
                                      "Extracting BIG\\PACKED.BIN 3/4", "Extracting BIG\\PACKED.BIN 4/4",
                                      "Decompressing BIG\\PACKED.BIN"}));
  EXPECT_EQ(archive.destContents(), (QStringList{"BIG", "BIG/PACKED.BIN", "BIG/STORED.BIN"}));
  EXPECT_GE(observer.working, 16);  // a moment to repaint after every piece and every MiB inflated
}

TEST_F(EngineExtractEntry, AnEntryAndItsNameWithZlibAddedBothSurvive) {
  const QByteArray text = SampleText(20'000, 2);
  OpenArchive archive(
      DatWriter().add("ART\\X.Zlib", "an entry of its own").add("ART\\X", text, true).add("ART\\Y", text, true));
  WriteFile(archive.dest("Y.Zlib"), "a file the user had");
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(extract(archive, i, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(ReadFile(archive.dest("X.Zlib")), "an entry of its own");
  EXPECT_EQ(ReadFile(archive.dest("X")), text);
  EXPECT_EQ(ReadFile(archive.dest("Y.Zlib")), "a file the user had");
  EXPECT_EQ(archive.destContents(), (QStringList{"X", "X.Zlib", "Y", "Y.Zlib"}));
}

TEST_F(EngineExtractEntry, ALongerExistingFileIsReplacedByExactlyTheNewBytes) {
  const QByteArray text = SampleText(5000, 3);
  OpenArchive archive(DatWriter().add("SHORT.TXT", "new").add("PACKED.TXT", text, true));
  WriteFile(archive.dest("SHORT.TXT"), SampleText(50'000, 4));
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  const ExtractResult replacing = extract(archive, 0, destination);
  EXPECT_EQ(replacing.outcome, ExtractOutcome::Extracted);
  EXPECT_TRUE(replacing.replaced);
  EXPECT_FALSE(extract(archive, 1, destination).replaced);
  EXPECT_EQ(ReadFile(archive.dest("SHORT.TXT")), "new");
  EXPECT_EQ(ReadFile(archive.dest("PACKED.TXT")), text);
  EXPECT_EQ(archive.destContents(), (QStringList{"PACKED.TXT", "SHORT.TXT"}));
}

TEST_F(EngineExtractEntry, BadDataIsSkippedWithItsReasonAndLeavesNothing) {
  const QByteArray text = SampleText(40'000, 5);
  QByteArray damagedStream = ZlibCompress(text);
  for (qsizetype i = 50; i < 90; ++i) damagedStream[i] = static_cast<char>(damagedStream[i] ^ 0x33);
  FixtureEntry damaged{"DAMAGED.TXT", text, true};
  damaged.body = damagedStream;
  FixtureEntry truncated{"TRUNCATED.TXT", text, true};
  truncated.body = ZlibCompress(text).left(1000);
  FixtureEntry outside{"OUTSIDE.TXT", "abc"};
  outside.offset = 1'000'000;
  FixtureEntry negative{"NEGATIVE.TXT", "abc"};
  negative.offset = -5;
  FixtureEntry longer{"LONGER.TXT", text, true};
  longer.realSize = 39'000;
  FixtureEntry shorter{"SHORTER.TXT", text, true};
  shorter.realSize = 41'000;
  // Stored, 10 bytes in the archive but claiming 1.5 GB: never a 1.5 GB buffer.
  FixtureEntry claims{"CLAIMS.BIN", "0123456789"};
  claims.realSize = 1'500'000'000;
  // The body's last byte one past the end of the file: outside as well, not a failed read.
  FixtureEntry overBy1{"OVERBY1.TXT", "abc"};
  const auto writer = [&] {
    return DatWriter()
        .add(damaged)
        .add(truncated)
        .add(outside)
        .add(negative)
        .add(longer)
        .add(shorter)
        .add(claims)
        .add(overBy1);
  };
  overBy1.offset = writer().build().size() - 2;
  OpenArchive archive(writer());
  for (const char* name : {"DAMAGED.TXT", "OUTSIDE.TXT", "LONGER.TXT"}) WriteFile(archive.dest(name), "kept");

  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  QStringList reasons;
  for (std::size_t i = 0; i < archive.entries.size(); ++i) {
    const ExtractResult result = extract(archive, i, destination);
    EXPECT_EQ(result.outcome, ExtractOutcome::Skipped) << archive.entries[i].Filename.constData();
    reasons << result.reason;
  }
  EXPECT_TRUE(reasons[0].startsWith("the compressed data are damaged")) << reasons[0].toStdString();
  EXPECT_EQ(reasons[1], "the compressed data end before the stream is complete");
  EXPECT_EQ(reasons[2], "its data lie outside the archive (3 bytes at offset 1000000)");
  EXPECT_EQ(reasons[3], "its data lie outside the archive (3 bytes at offset -5)");
  EXPECT_EQ(reasons[4], "the compressed data inflate to more than 39000 bytes");
  EXPECT_EQ(reasons[5], "the compressed data inflate to 40000 bytes instead of 41000");
  EXPECT_EQ(reasons[6], "it is stored as it is, but its RealSize (1500000000) exceeds its PackedSize (10)");
  EXPECT_EQ(reasons[7], QString("its data lie outside the archive (3 bytes at offset %1)").arg(*overBy1.offset));
  // The files the user had stay as they were; nothing else appears.
  EXPECT_EQ(archive.destContents(), (QStringList{"DAMAGED.TXT", "LONGER.TXT", "OUTSIDE.TXT"}));
  EXPECT_EQ(ReadFile(archive.dest("DAMAGED.TXT")), "kept");
}

// RealSize bytes when read at once, PackedSize bytes when copied in pieces.
TEST_F(EngineExtractEntry, AStoredEntryShorterThanItsBodyIsCopiedAsItsSizeSays) {
  const QByteArray large = randomBytes(ChunkLimit + 1, 9);
  FixtureEntry small{"SMALL.BIN", "0123456789"};
  small.realSize = 4;
  FixtureEntry pieces{"PIECES.BIN", large};
  pieces.realSize = 100;
  OpenArchive archive(DatWriter().add(small).add(pieces));
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  EXPECT_EQ(extract(archive, 0, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(extract(archive, 1, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(ReadFile(archive.dest("SMALL.BIN")), "0123");
  EXPECT_EQ(ReadFile(archive.dest("PIECES.BIN")), large);
}

TEST_F(EngineExtractEntry, AStreamEndingBeforeItsBodyIsIntactAndItsTrailingBytesAreCounted) {
  const QByteArray text = SampleText(30'000, 3);
  FixtureEntry trailing{"TRAILING.TXT", text, true};
  trailing.body = ZlibCompress(text) + "12345";
  OpenArchive archive(DatWriter().add(trailing).add("EXACT.TXT", text, true));
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  const ExtractResult withTail = extract(archive, 0, destination);
  EXPECT_EQ(withTail.outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(withTail.trailing, 5);
  EXPECT_EQ(ReadFile(archive.dest("TRAILING.TXT")), text);
  EXPECT_EQ(extract(archive, 1, destination).trailing, 0);
}

// The archive's own folder as the destination, and an entry named like it.
TEST_F(EngineExtractEntry, AnEntryNamedLikeTheArchiveNeverReplacesIt) {
  OpenArchive archive(DatWriter().add("ART\\archive.dat", "an entry").add("OTHER.TXT", "other"));
  const QByteArray before = ReadFile(archive.dir.filePath("archive.dat"));
  ExtractDestination destination(archive.dir.path(), {}, Layout::Flat);
  const ExtractResult named = extract(archive, 0, destination);
  EXPECT_EQ(named.outcome, ExtractOutcome::Skipped);
  EXPECT_EQ(named.reason, "it would replace the archive being read");
  EXPECT_EQ(extract(archive, 1, destination).outcome, ExtractOutcome::Extracted);
  EXPECT_EQ(ReadFile(archive.dir.filePath("archive.dat")), before);
  EXPECT_EQ(OpenArchive::contentsOf(archive.dir.path()), (QStringList{"OTHER.TXT", "archive.dat", "dest"}));
}

TEST_F(EngineExtractEntry, WhatStandsInTheWayIsTheEntrysProblemAMissingDestinationStopsTheRun) {
  OpenArchive archive(DatWriter()
                          .add("GONE.TXT", "abc")
                          .add("FOLDER.TXT", "abc")
                          .add("BLOCKED\\X.TXT", SampleText(3000, 6), true)
                          .add(QByteArray(204, '\xE9'), "a Latin-1 name of 408 bytes on disk"));
  QDir(archive.dest()).mkdir("FOLDER.TXT");
  WriteFile(archive.dest("BLOCKED"), "a file where a folder is needed");

  ExtractDestination tree(archive.dest(), {}, Layout::Tree);
  const ExtractResult blocked = extract(archive, 2, tree);
  EXPECT_EQ(blocked.outcome, ExtractOutcome::Skipped);
  EXPECT_EQ(blocked.reason, archive.dest("BLOCKED") + " is not a folder");
  const ExtractResult directory = extract(archive, 1, tree);
  EXPECT_EQ(directory.outcome, ExtractOutcome::Skipped);
  EXPECT_EQ(directory.reason, archive.dest("FOLDER.TXT") + " is a folder");
  const ExtractResult tooLong = extract(archive, 3, tree);
  EXPECT_EQ(tooLong.outcome, ExtractOutcome::Skipped);
  EXPECT_TRUE(tooLong.reason.endsWith("(File name too long)")) << tooLong.reason.toStdString();

  ExtractDestination vanished(archive.dest("vanished"), {}, Layout::Flat);
  const ExtractResult gone = extract(archive, 0, vanished);
  EXPECT_EQ(gone.outcome, ExtractOutcome::WriteFailed);
  EXPECT_EQ(gone.file, archive.dest("vanished"));
  EXPECT_EQ(gone.reason, "No such file or directory");
  EXPECT_EQ(archive.destContents(), (QStringList{"BLOCKED", "FOLDER.TXT"}));
}

// A file size limit makes writes fail part way, as a full disk does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    const rlimit limited{bytes, saved_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, SIG_DFL);
  }

 private:
  rlimit saved_{};
};

TEST_F(EngineExtractEntry, AWriteFailingPartWayLeavesNothingAndKeepsAnEarlierFile) {
  const QByteArray text = SampleText(3'000'000, 7);
  OpenArchive archive(DatWriter().add("NEW.TXT", text, true).add("OLD.TXT", text, true).add("RAW.TXT", text));
  WriteFile(archive.dest("OLD.TXT"), "the earlier copy");
  ExtractDestination destination(archive.dest(), {}, Layout::Flat);
  QList<ExtractResult> results;
  {
    const FileSizeLimit limit(1'000'000);
    for (std::size_t i = 0; i < 3; ++i) results << extract(archive, i, destination);
  }
  for (const ExtractResult& result : results) {
    EXPECT_EQ(result.outcome, ExtractOutcome::WriteFailed);
    EXPECT_EQ(result.reason, "File too large");
  }
  EXPECT_EQ(results[1].file, archive.dest("OLD.TXT"));
  EXPECT_EQ(archive.destContents(), QStringList{"OLD.TXT"});
  EXPECT_EQ(ReadFile(archive.dest("OLD.TXT")), "the earlier copy");
}

}  // namespace
