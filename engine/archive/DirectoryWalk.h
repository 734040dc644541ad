#pragma once
// The one reading of an opened archive's directory, record after record in
// their order, for the scan, Ledgerlamp's table of records and the toolkit.
#include "common/dat/DatRecord.h"

namespace engine {

class DirectoryWalk {
 public:
  // Reads the directory from the source in bounded pieces, as far as the
  // records go; the source must outlive the walk.
  DirectoryWalk(const platform::ArchiveSource& source, const dat::FixedDATInfo& info);

  // Every record the archive states was read.
  bool AtEnd() const { return read_ >= total_; }
  // Throws ArchiveRefused (BadDirectory) for a record that does not lie
  // inside the directory; the walk stays where it was.
  dat::DirRecord Next();
  // Next with the name a view, valid until the walk reads again.
  dat::DirRecordView NextView();
  // Next without decoding the record, for a walk that only checks them.
  void Skip();

  int32_t RecordsRead() const { return read_; }
  // The 1-based position of the next record (past the last one at the end).
  qint64 Position() const { return position_; }

 private:
  dat::DirectoryReader directory_;
  qint64 position_;
  int32_t total_;
  int32_t read_ = 0;
};

}  // namespace engine
