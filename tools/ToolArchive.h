#pragma once
// An archive opened for a command: its file as a source, its trailer
// values checked and every directory record checked to lie inside the
// directory, as Tallyhold opens and scans one. Nothing of the directory is
// kept: the records are read again from the file as they are walked, and the
// folders are built only for a command that asks for them, so that listing
// an archive of a hundred million records takes no more memory than one.
#include <QString>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/ColTrees.h"
#include "engine/archive/DirectoryWalk.h"

namespace tools {

// The directory's records in their order, one at a time: the entry an
// iterator points to lives until it moves on. Throws engine::ArchiveRefused
// for a record that no longer lies inside the directory.
class RecordRange {
 public:
  class Iterator {
   public:
    using value_type = const engine::ClsTreeDir*;
    using difference_type = std::ptrdiff_t;

    Iterator(const platform::ArchiveSource& source, const dat::FixedDATInfo& info);
    const engine::ClsTreeDir* operator*() const { return &entry_; }
    Iterator& operator++() {
      readNext();
      return *this;
    }
    void operator++(int) { readNext(); }
    bool operator==(std::default_sentinel_t) const { return done_; }

   private:
    void readNext();

    engine::DirectoryWalk walk_;
    bool done_ = false;
    engine::ClsTreeDir entry_;
  };

  RecordRange(const platform::ArchiveSource& source, const dat::FixedDATInfo& info)
      : source_(source), info_(info) {}
  Iterator begin() const { return Iterator(source_, info_); }
  std::default_sentinel_t end() const { return {}; }

 private:
  const platform::ArchiveSource& source_;
  dat::FixedDATInfo info_;
};

// How a command reads the directory: record by record as it acts, every
// record checked first so that none stops it halfway; or whole before it
// acts, which checks each record as it is read.
enum class Reading { AsItActs, WholeFirst };

class ToolArchive {
 public:
  // path names the archive in what the user is told. Throws
  // engine::ArchiveRefused when a record does not lie inside the directory.
  // standardInput: standard input's file, owned, when the archive is read
  // from there.
  ToolArchive(const QString& path, const engine::OpenedArchive& opened, Reading reading, int standardInput = -1);
  ~ToolArchive();
  ToolArchive(const ToolArchive&) = delete;
  ToolArchive& operator=(const ToolArchive&) = delete;

  const QString& Path() const { return path_; }
  // The file the archive was read from when it came on standard input ("-"
  // on the command line), for add and delete to copy bodies from; else -1.
  int StandardInput() const { return standardInput_; }
  const std::shared_ptr<const platform::ArchiveSource>& Source() const { return source_; }
  // The trailer's values and FilesTotal.
  const dat::FixedDATInfo& Info() const { return info_; }
  // In the order of the directory records.
  RecordRange Records() const { return {*source_, info_}; }
  // The folders as Tallyhold's scan files them, built at the first call
  // (std::bad_alloc when they do not fit in memory).
  const engine::ColTrees& Folders() const;

 private:
  QString path_;
  std::shared_ptr<const platform::ArchiveSource> source_;
  dat::FixedDATInfo info_;
  mutable std::unique_ptr<engine::ColTrees> folders_;
  int standardInput_;
};

// Runs the command on the opened archive, read from standard input when path
// is "-"; a refused archive, or one whose directory does not fit in memory,
// is told and ends the command with status Refused; with json, the refusal
// is also written as JSON on standard output.
int WithArchive(const QString& path, const std::function<int(const ToolArchive&)>& command, bool json = false,
                Reading reading = Reading::AsItActs);

}  // namespace tools
