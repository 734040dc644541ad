#pragma once
#include <QString>
#include <memory>

#include "engine/archive/ClsDatFile.h"
#include "engine/archive/KeyedCollection.h"

namespace engine {

// The loaded archives. Unlike the other collections, a number given to Item or
// Remove is an archive number, not a position: archives close in any order.
class ColDatFiles {
 public:
  std::shared_ptr<ClsDatFile> Add(int32_t index, const QString& key, const QString& sKey = {});
  std::shared_ptr<ClsDatFile> Item(int32_t archiveNumber) const;
  // Null when no archive has the number.
  std::shared_ptr<ClsDatFile> Find(int32_t archiveNumber) const;
  int Count() const { return files_.Count(); }
  void Remove(int32_t archiveNumber);

  auto begin() const { return files_.begin(); }
  auto end() const { return files_.end(); }

 private:
  KeyedCollection<ClsDatFile> files_;
};

}  // namespace engine
