#include "engine/archive/ColDatFiles.h"

namespace engine {

std::shared_ptr<ClsDatFile> ColDatFiles::Add(int32_t index, const QString& key, const QString& sKey) {
  auto file = std::make_shared<ClsDatFile>();
  file->Index = index;
  file->Key = key;
  files_.Add(file, sKey);
  return file;
}

std::shared_ptr<ClsDatFile> ColDatFiles::Find(int32_t archiveNumber) const {
  for (const auto& file : files_)
    if (file->Index == archiveNumber) return file;
  return nullptr;
}

std::shared_ptr<ClsDatFile> ColDatFiles::Item(int32_t archiveNumber) const {
  auto file = Find(archiveNumber);
  if (!file) throw CollectionError("no archive with that number");
  return file;
}

void ColDatFiles::Remove(int32_t archiveNumber) { files_.Remove(files_.PositionOf(Item(archiveNumber).get())); }

}  // namespace engine
