#include "engine/archive/DirectoryWalk.h"

#include "engine/archive/ArchiveOpening.h"

namespace engine {

DirectoryWalk::DirectoryWalk(const platform::ArchiveSource& source, const dat::FixedDATInfo& info)
    : directory_(source, info), position_(info.DirTreeAddr), total_(info.FilesTotal) {}

dat::DirRecord DirectoryWalk::Next() {
  try {
    dat::DirRecord record = directory_.RecordAt(position_, read_ + 1);
    ++read_;
    position_ = record.NextPosition;
    return record;
  } catch (const dat::DatError& error) {
    throw ArchiveRefused({ArchiveRefusal::Kind::BadDirectory, error.message()});
  }
}

}  // namespace engine
