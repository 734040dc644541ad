#include "BareExtract.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <QFile>
#include <chrono>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/archive/CommonFunctions.h"
#include "engine/extract/OutputPaths.h"

namespace extractbench {
namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The entry's folder under the destination, made level by level once.
std::string folderOf(const QByteArray& treePath, const std::string& root, std::unordered_set<std::string>& made) {
  std::string folder = root;
  if (treePath == "\\") return folder;
  for (const QByteArray& level : treePath.chopped(1).split('\\')) {
    folder += "/" + level.toStdString();
    if (made.insert(folder).second) ::mkdir(folder.c_str(), 0777);
  }
  return folder;
}

void writeFile(const std::string& path, const char* data, qint64 size) {
  const int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (out < 0 || ::write(out, data, static_cast<size_t>(size)) != size || ::close(out) != 0)
    throw std::runtime_error("write failed");
}

// Through the file system and back, as a temporary copy of the body would go.
void roundTrip(const std::string& temporary, std::vector<char>& packed) {
  writeFile(temporary, packed.data(), static_cast<qint64>(packed.size()));
  const int in = ::open(temporary.c_str(), O_RDONLY);
  if (in < 0 || ::read(in, packed.data(), packed.size()) != static_cast<ssize_t>(packed.size()) ||
      ::close(in) != 0)
    throw std::runtime_error("temporary read failed");
  ::unlink(temporary.c_str());
}

}  // namespace

BareTimes BareExtract(const LoadedArchive& archive, const QString& archivePath, const QString& destination,
                      bool viaTemporary) {
  BareTimes times;
  const Clock::time_point start = Clock::now();
  const int source = ::open(QFile::encodeName(archivePath).constData(), O_RDONLY);
  const std::string root = QFile::encodeName(destination).toStdString();
  ::mkdir(root.c_str(), 0777);
  std::unordered_set<std::string> made;
  std::vector<char> packed, real;
  for (const auto& folder : *archive.trees) {
    const std::string path = folderOf(folder->TreePath, root, made);
    for (const auto& entry : *folder) {
      packed.resize(entry->PackedSize);
      if (::pread(source, packed.data(), packed.size(), entry->Offset) != entry->PackedSize)
        throw std::runtime_error("short read");
      const std::string name = engine::DiskName(engine::GetFileName(entry->Filename));
      if (viaTemporary && entry->IsCompressed()) roundTrip(path + "/" + name + ".tmp", packed);
      const char* data = packed.data();
      qint64 size = entry->PackedSize;
      if (entry->IsCompressed()) {
        real.resize(entry->RealSize);
        uLongf length = static_cast<uLongf>(real.size());
        const Clock::time_point before = Clock::now();
        if (uncompress(reinterpret_cast<Bytef*>(real.data()), &length, reinterpret_cast<const Bytef*>(data),
                       static_cast<uLong>(size)) != Z_OK)
          throw std::runtime_error("uncompress failed");
        times.inflateSeconds += seconds(Clock::now() - before);
        data = real.data();
        size = static_cast<qint64>(length);
      }
      writeFile(path + "/" + name, data, size);
    }
  }
  ::close(source);
  times.totalSeconds = seconds(Clock::now() - start);
  return times;
}

}  // namespace extractbench
