// The mapping of an entry name to its folder under a destination: a name is
// either refused or lands inside the destination; a symbolic link that leads
// out of it is never entered.
#include <QDir>
#include <QFile>
#include <filesystem>

#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractErrors.h"
#include "engine/extract/OutputPaths.h"
#include "fuzz/FuzzSupport.h"

using namespace engine;
namespace fs = std::filesystem;

namespace {

const fs::path& root() {
  static const fs::path made = [] {
    const fs::path base = QFile::encodeName(ScratchPath(".tree")).toStdString();
    fs::remove_all(base);
    fs::create_directories(base / "dest");
    fs::create_directories(base / "outside");
    fs::create_directory_symlink(base / "outside", base / "dest" / "LINK");
    return fs::canonical(base / "dest");
  }();
  return made;
}

// Where the held folder really is, whatever its name says.
bool inside(const DestFolder& folder) {
  const fs::path real = fs::read_symlink("/proc/self/fd/" + std::to_string(folder.handle->Descriptor()));
  return std::mismatch(root().begin(), root().end(), real.begin(), real.end()).first == root().end();
}

// Folders made by one input go again, so that the tree does not grow run by run.
void clean() {
  for (const fs::directory_entry& child : fs::directory_iterator(root()))
    if (!child.is_symlink()) fs::remove_all(child.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ClsTreeDir entry;
  entry.Filename = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (!UnsafeNameReason(entry.Filename).isEmpty()) return 0;
  ExtractDestination destination(QFile::decodeName(root().c_str()), {}, ExtractDestination::Layout::Tree);
  try {
    Require(inside(destination.FolderFor(entry)), "an entry's folder lies inside the destination");
  } catch (const EntryDataError&) {
  } catch (const DestinationError&) {
  }
  clean();
  return 0;
}
