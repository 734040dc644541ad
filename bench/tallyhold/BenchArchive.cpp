#include "bench/tallyhold/BenchArchive.h"

#include <QFile>
#include <QtEndian>
#include <functional>
#include <stdexcept>

namespace tallyholdbench {
namespace {

const char* const Level1[] = {"ART",  "TEXT", "SOUND",  "MAPS",   "PROTO",
                              "DATA", "FONT", "SCRIPTS", "MOVIES", "MISC"};
const char* const Level2[] = {"CRITTERS", "ITEMS",  "TILES",  "ENGLISH", "GERMAN",
                              "INTRFACE", "SCENERY", "WALLS", "HEADS",   "SKILLS"};
const char* const Stems[] = {"RUNNER", "GUARD", "DOOR", "TREE", "ROCK", "HINT", "SHOT", "STEP"};
const char* const Extensions[] = {".FRM", ".MSG", ".ACM", ".MAP", ".PRO", ".INT", ".LST"};
constexpr int BodyArea = 65536;

void appendInt32(QByteArray& out, int32_t value) {
  char bytes[4];
  qToLittleEndian<qint32>(value, bytes);
  out.append(bytes, 4);
}

QByteArray fileName(int n) {
  return QByteArray(Stems[n % 8]) + QByteArray::number(n % 1000).rightJustified(3, '0') +
         Extensions[n % 7];
}

// Bodies (a shared area of text), the records, FilesTotal first, then the trailer.
void writeArchive(const QString& path, int entries,
                  const std::function<QByteArray(int)>& nameOf) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("cannot write " + path.toStdString());
  file.write(QByteArray(BodyArea, 'x'));
  QByteArray directory;
  appendInt32(directory, entries);
  for (int i = 0; i < entries; ++i) {
    const QByteArray name = nameOf(i);
    appendInt32(directory, static_cast<int32_t>(name.size()));
    directory.append(name);
    directory.append(static_cast<char>(i % 3 == 0 ? 1 : 0));
    appendInt32(directory, 100 + i % 4000);
    appendInt32(directory, 60 + i % 2000);
    appendInt32(directory, (i * 37) % (BodyArea - 4096));
    if (directory.size() > (1 << 22)) {
      file.write(directory);
      directory.clear();
    }
  }
  file.write(directory);
  const qint64 treeSize = file.size() - BodyArea;
  QByteArray trailer;
  appendInt32(trailer, static_cast<int32_t>(treeSize));
  appendInt32(trailer, static_cast<int32_t>(file.size() + 8));
  file.write(trailer);
}

}  // namespace

void WriteTreeArchive(const QString& path, int entries) {
  constexpr int TopLevel = 10;
  constexpr int Folders = 10 * 10 * 20;
  const int perFolder = std::max(1, (entries - TopLevel + Folders - 1) / Folders);
  writeArchive(path, entries, [perFolder](int i) {
    if (i < TopLevel) return fileName(i);
    const int folder = (i - TopLevel) / perFolder;
    return QByteArray(Level1[folder / 200 % 10]) + '\\' + Level2[folder / 20 % 10] + '\\' + "SET" +
           QByteArray::number(folder % 20).rightJustified(2, '0') + '\\' + fileName(i);
  });
}

void WriteOneFolderArchive(const QString& path, int entries) {
  writeArchive(path, entries, [](int i) { return QByteArray("BIG\\ONE\\") + fileName(i); });
}

}  // namespace tallyholdbench
