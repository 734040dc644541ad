#include "BenchArchive.h"

#include <QFile>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/dat/DatRecord.h"
#include "common/platform/FileSource.h"
#include "tests/support/ArchiveFile.h"
#include "tests/support/DatWriter.h"

namespace extractbench {
namespace {

constexpr int PoolSize = 512;

const std::vector<QByteArray>& vocabulary() {
  static const std::vector<QByteArray> words = [] {
    std::mt19937 random(7);
    std::vector<QByteArray> list;
    for (int i = 0; i < 4096; ++i) {
      QByteArray word;
      const int length = 2 + static_cast<int>(random() % 9);
      for (int c = 0; c < length; ++c) word.append(static_cast<char>('a' + random() % 26));
      list.push_back(word);
    }
    return list;
  }();
  return words;
}

struct Body {
  QByteArray stored;  // what the archive holds: the data or their zlib stream
  int32_t realSize = 0;
  bool compressed = false;
};

Body bodyOf(const QByteArray& data, bool isCompressed) {
  return {isCompressed ? testsupport::ZlibCompress(data) : data, static_cast<int32_t>(data.size()), isCompressed};
}

// Sizes spread evenly on a log scale from 200 bytes to 90 KB.
std::vector<Body> bodyPool(const ArchiveShape& shape) {
  std::vector<Body> pool;
  std::mt19937 random(11);
  for (int i = 0; i < PoolSize; ++i) {
    const double scale = std::uniform_real_distribution<double>(std::log(200.0), std::log(90000.0))(random);
    pool.push_back(bodyOf(TextLike(static_cast<qint64>(std::exp(scale)), static_cast<uint32_t>(i)),
                          i % shape.storedEvery != 0));
  }
  return pool;
}

// Four entries above ChunkLimit: two stored, two whose streams pass it too.
std::vector<Body> bigBodies() {
  std::vector<Body> bodies;
  for (const auto& [size, isCompressed] :
       {std::pair<qint64, bool>{9'000'000, false}, {12'500'000, false}, {30'000'000, true}, {45'000'000, true}})
    bodies.push_back(bodyOf(TextLike(size, static_cast<uint32_t>(size)), isCompressed));
  return bodies;
}

// 600 distinct folders of one to five levels.
QByteArray folderName(int folder) {
  static const char* const top[] = {"ART", "TEXT", "SOUND", "MAPS", "DATA", "SCRIPTS"};
  QByteArray name = QByteArray(top[folder % 6]) + "\\AREA" + QByteArray::number(folder / 6 % 20);
  if (folder / 120 > 0) name += "\\PART" + QByteArray::number(folder / 120);
  if (folder % 5 == 0) name += "\\DEEPER\\LEVEL" + QByteArray::number(folder % 7);
  return name + "\\";
}

// The bench's archive file on disk, written by the tests' archive writer.
class BenchFile {
 public:
  explicit BenchFile(const QString& path) : file_(path), archive_(file_) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write archive");
  }
  void add(const QByteArray& name, const Body& body) {
    archive_.Add(name, body.stored, body.compressed, body.realSize);
  }
  // A stored entry of zeros, left as a hole in the file so that nothing of it is held in memory.
  void addZeros(const QByteArray& name, int32_t size) {
    dat::DirRecord record;
    record.FilenameSize = static_cast<int32_t>(name.size());
    record.Filename = name;
    record.RealSize = record.PackedSize = size;
    record.Offset = static_cast<int32_t>(archive_.AddZeros(size));
    archive_.AddRecord(record);
  }
  qint64 finish() { return archive_.Finish(); }

 private:
  QFile file_;
  testsupport::ArchiveFile archive_;
};

}  // namespace

QByteArray TextLike(qint64 size, uint32_t seed) {
  const std::vector<QByteArray>& words = vocabulary();
  std::mt19937 random(seed);
  QByteArray out;
  out.reserve(size + 16);
  while (out.size() < size) {
    const uint32_t pick = random();
    out.append(words[pick % words.size()]);
    out.append((pick >> 20) % 11 == 0 ? '\n' : ' ');
    if ((pick >> 24) % 17 == 0) out.append(QByteArray::number(pick % 10000) + ' ');
  }
  out.truncate(size);
  return out;
}

qint64 WriteArchive(const QString& path, const ArchiveShape& shape) {
  const std::vector<Body> pool = bodyPool(shape);
  const std::vector<Body> big = shape.bigEntries ? bigBodies() : std::vector<Body>{};
  BenchFile archive(path);
  const int perFolder = shape.entries / shape.folders;
  for (int n = 0; n < shape.entries; ++n) {
    const QByteArray folder = folderName(std::min(n / perFolder, shape.folders - 1));
    const QByteArray name = "FILE" + QByteArray::number(n).rightJustified(5, '0') + ".DAT";
    const std::size_t quarter = static_cast<std::size_t>(n / (shape.entries / 4 + 1));
    const bool isBig = n % (shape.entries / 4 + 1) == 7 && quarter < big.size();
    archive.add(folder + name, isBig ? big[quarter] : pool[(n * 7919) % PoolSize]);
  }
  return archive.finish();
}

qint64 WriteSingleEntryArchive(const QString& path, qint64 realSize) {
  const Body body = bodyOf(TextLike(realSize, 99), true);
  BenchFile archive(path);
  archive.add("HUGE\\ENTRY.BIN", body);
  return archive.finish();
}

qint64 WriteStoredEntryArchive(const QString& path, int32_t realSize) {
  BenchFile archive(path);
  archive.addZeros("HUGE\\STORED.BIN", realSize);
  return archive.finish();
}

LoadedArchive LoadArchive(const QString& path) {
  LoadedArchive loaded;
  loaded.source = platform::FileSource::Open(path);
  if (!loaded.source) throw std::runtime_error("cannot open archive");
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(*loaded.source);
  dat::DirectoryReader block(*loaded.source, info);
  loaded.trees = std::make_shared<engine::ColTrees>();
  qint64 position = info.DirTreeAddr;
  for (int n = 1; n <= info.FilesTotal; ++n) {
    const dat::DirRecord record = block.RecordAt(position, n);
    auto entry = std::make_shared<engine::ClsTreeDir>();
    entry->Filename = record.Filename;
    entry->FilenameSize = record.FilenameSize;
    entry->fType = record.Type;
    entry->RealSize = record.RealSize;
    entry->PackedSize = record.PackedSize;
    entry->Offset = record.Offset;
    const QString key = QString::fromLatin1(entry->FilePath());
    auto folder = loaded.trees->Find(key);
    if (!folder) {
      folder = std::make_shared<engine::ColSubTree>();
      folder->TreePath = entry->FilePath();
      loaded.trees->Add(folder, key);
    }
    folder->Add(entry);
    loaded.realBytes += entry->RealSize;
    position = record.NextPosition;
  }
  loaded.entries = info.FilesTotal;
  return loaded;
}

}  // namespace extractbench
