#include "BenchArchive.h"

#include <zlib.h>

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/dat/DatRecord.h"
#include "common/platform/FileNumbers.h"

namespace extractbench {
namespace {

constexpr int PoolSize = 512;

void appendInt32(QByteArray& out, int32_t value) {
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  out.append(bytes, 4);
}

QByteArray compressed(const QByteArray& data) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  QByteArray out(static_cast<qsizetype>(length), Qt::Uninitialized);
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.constData()),
                static_cast<uLong>(data.size()), 6) != Z_OK)
    throw std::runtime_error("compress2 failed");
  out.resize(static_cast<qsizetype>(length));
  return out;
}

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
  return {isCompressed ? compressed(data) : data, static_cast<int32_t>(data.size()), isCompressed};
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
  for (const auto& [size, isCompressed] : {std::pair<qint64, bool>{9'000'000, false}, {12'500'000, false},
                                           {30'000'000, true}, {45'000'000, true}})
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

class ArchiveFile {
 public:
  explicit ArchiveFile(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write archive");
    appendInt32(directory_, 0);
  }
  void add(const QByteArray& name, const Body& body) {
    appendInt32(directory_, static_cast<int32_t>(name.size()));
    directory_.append(name);
    directory_.append(static_cast<char>(body.compressed ? 1 : 0));
    appendInt32(directory_, body.realSize);
    appendInt32(directory_, static_cast<int32_t>(body.stored.size()));
    appendInt32(directory_, static_cast<int32_t>(file_.pos()));
    file_.write(body.stored);
    ++count_;
  }
  // A stored entry of zeros, left as a hole in the file so that nothing of it is held in memory.
  void addZeros(const QByteArray& name, int32_t size) {
    const qint64 offset = file_.pos();
    add(name, {QByteArray(), size, false});
    qToLittleEndian<qint32>(size, directory_.data() + directory_.size() - 8);
    file_.seek(offset + size);
  }
  qint64 finish() {
    qToLittleEndian<qint32>(count_, directory_.data());
    appendInt32(directory_, static_cast<int32_t>(directory_.size()));
    appendInt32(directory_, static_cast<int32_t>(file_.pos() + directory_.size() + 4));
    file_.write(directory_);
    return file_.pos();
  }

 private:
  QFile file_;
  QByteArray directory_;
  int32_t count_ = 0;
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
  ArchiveFile archive(path);
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
  ArchiveFile archive(path);
  archive.add("HUGE\\ENTRY.BIN", body);
  return archive.finish();
}

qint64 WriteStoredEntryArchive(const QString& path, int32_t realSize) {
  ArchiveFile archive(path);
  archive.addZeros("HUGE\\STORED.BIN", realSize);
  return archive.finish();
}

LoadedArchive LoadArchive(const QString& path) {
  LoadedArchive loaded;
  loaded.fileNo = platform::FreeFile();
  if (!platform::OpenFile(loaded.fileNo, path)) throw std::runtime_error("cannot open archive");
  const dat::FixedDATInfo info = dat::GetFixedDATInfo(loaded.fileNo, platform::FileLength(loaded.fileNo));
  const dat::DirectoryBlock block = dat::DirectoryBlock::Read(loaded.fileNo, info);
  loaded.trees = std::make_shared<tallyhold::ColTrees>();
  qint64 position = info.DirTreeAddr;
  for (int n = 1; n <= info.FilesTotal; ++n) {
    const dat::DirRecord record = block.RecordAt(position, n);
    auto entry = std::make_shared<tallyhold::ClsTreeDir>();
    entry->Filename = record.Filename;
    entry->FilenameSize = record.FilenameSize;
    entry->fType = record.Type;
    entry->RealSize = record.RealSize;
    entry->PackedSize = record.PackedSize;
    entry->Offset = record.Offset;
    const QString key = QString::fromLatin1(entry->FilePath());
    auto folder = loaded.trees->Find(key);
    if (!folder) {
      folder = std::make_shared<tallyhold::ColSubTree>();
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
