#include "engine/archive/DirectoryWalk.h"

#include "engine/archive/ArchiveOpening.h"

namespace engine {

DirectoryWalk::DirectoryWalk(const platform::ArchiveSource& source, const dat::FixedDATInfo& info)
    : directory_(source, info), position_(info.DirTreeAddr), total_(info.FilesTotal) {}

namespace {

template <typename Read>
auto refusingBadRecords(Read read) {
  try {
    return read();
  } catch (const dat::DatError& error) {
    throw ArchiveRefused({ArchiveRefusal::Kind::BadDirectory, error.message()});
  }
}

}  // namespace

dat::DirRecord DirectoryWalk::Next() { return dat::Owned(NextView()); }

dat::DirRecordView DirectoryWalk::NextView() {
  const dat::DirRecordView record = refusingBadRecords([this] { return directory_.ViewAt(position_, read_ + 1); });
  ++read_;
  position_ = record.NextPosition;
  return record;
}

void DirectoryWalk::Skip() {
  position_ = refusingBadRecords([this] { return directory_.NextAfter(position_, read_ + 1); });
  ++read_;
}

}  // namespace engine
