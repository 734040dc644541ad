#pragma once
// Opening an archive: its trailer tested and its fixed values read, before
// anything of it is kept, so that a refused file leaves nothing behind. Every
// program words a refusal in its own texts from its kind and detail.
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

#include "common/dat/DatFormat.h"

namespace engine {

struct ArchiveRefusal {
  enum class Kind {
    None,
    CannotOpen,      // the file itself: missing, unreadable, not a regular file
    NotAnArchive,    // the trailer test: its last 4 bytes are not its length
    BadFixedValues,  // passed the trailer test, failed a check of the fixed values
    BadDirectory,    // a directory record does not lie inside the directory
    NoMemory,        // the directory does not fit in memory
  };
  Kind kind = Kind::None;
  QString detail;  // what is wrong, in lower case without a full stop
};

// A refusal met while the directory is read, after the opening.
class ArchiveRefused : public std::runtime_error {
 public:
  explicit ArchiveRefused(ArchiveRefusal refusal)
      : std::runtime_error(refusal.detail.toStdString()), refusal_(std::move(refusal)) {}
  const ArchiveRefusal& refusal() const { return refusal_; }

 private:
  ArchiveRefusal refusal_;
};

struct OpenedArchive {
  std::shared_ptr<const platform::ArchiveSource> Source;  // null when refused
  dat::FixedDATInfo Info;
  ArchiveRefusal Refusal;

  explicit operator bool() const { return Source != nullptr; }
};

// step, when given, is told the name of each fixed value before it is read.
OpenedArchive OpenArchive(std::shared_ptr<const platform::ArchiveSource> source,
                          const std::function<void(const char* value)>& step = {});

// The file opened as a regular file for this archive alone; CannotOpen with
// the system's reason when it cannot be.
OpenedArchive OpenArchiveFile(const QString& path);

}  // namespace engine
