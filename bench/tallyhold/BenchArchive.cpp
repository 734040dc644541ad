#include "bench/tallyhold/BenchArchive.h"

#include <QFile>
#include <functional>
#include <stdexcept>

#include "tests/support/ArchiveFile.h"

namespace tallyholdbench {
namespace {

const char* const Level1[] = {"ART",  "TEXT", "SOUND",   "MAPS",   "PROTO",
                              "DATA", "FONT", "SCRIPTS", "MOVIES", "MISC"};
const char* const Level2[] = {"CRITTERS", "ITEMS",   "TILES", "ENGLISH", "GERMAN",
                              "INTRFACE", "SCENERY", "WALLS", "HEADS",   "SKILLS"};
const char* const Stems[] = {"RUNNER", "GUARD", "DOOR", "TREE", "ROCK", "HINT", "SHOT", "STEP"};
const char* const Extensions[] = {".FRM", ".MSG", ".ACM", ".MAP", ".PRO", ".INT", ".LST"};
constexpr int BodyArea = 65536;

QByteArray fileName(int n) {
  return QByteArray(Stems[n % 8]) + QByteArray::number(n % 1000).rightJustified(3, '0') + Extensions[n % 7];
}

// A shared area of bodies, then the records that point into it, then the trailer.
void writeArchive(const QString& path, int entries, const std::function<QByteArray(int)>& nameOf) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("cannot write " + path.toStdString());
  testsupport::ArchiveFile archive(file);
  archive.AddBody(QByteArray(BodyArea, 'x'));
  for (int i = 0; i < entries; ++i) {
    dat::DirRecord record;
    record.Filename = nameOf(i);
    record.FilenameSize = static_cast<int32_t>(record.Filename.size());
    record.Type = i % 3 == 0 ? 1 : 0;
    record.RealSize = 100 + i % 4000;
    record.PackedSize = 60 + i % 2000;
    record.Offset = (i * 37) % (BodyArea - 4096);
    archive.AddRecord(record);
  }
  archive.Finish();
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

void WriteDeepTreeArchive(const QString& path, int entries) {
  constexpr int Folders = 10 * 10 * 20 * 5;
  const int perFolder = std::max(1, (entries + Folders - 1) / Folders);
  writeArchive(path, entries, [perFolder](int i) {
    const int folder = i / perFolder;
    return QByteArray(Level1[folder / 1000 % 10]) + '\\' + Level2[folder / 100 % 10] + '\\' + "SET" +
           QByteArray::number(folder / 5 % 20).rightJustified(2, '0') + "\\Long Folder Name " +
           QByteArray::number(folder % 5) + "\\DEEPER\\" + fileName(i);
  });
}

void WriteOneFolderArchive(const QString& path, int entries) {
  writeArchive(path, entries, [](int i) { return QByteArray("BIG\\ONE\\") + fileName(i); });
}

}  // namespace tallyholdbench
