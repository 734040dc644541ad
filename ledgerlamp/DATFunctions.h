#pragma once
// The reader's state and loading: the trailer, the fixed values and the table of
// record offsets, built as data so that the window only shows it.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "common/dat/DatFormat.h"

namespace ledgerlamp {

struct ReaderState {
  QString Path;
  int DatFile = 0;  // file number of the loaded archive, 0 when none was loaded
  std::shared_ptr<const platform::ArchiveSource> Source;  // its bytes; null once let go
  dat::DATSizes DATSizes;
  int32_t FirstRecordOffset = 0;  // 0-based, one less than DirTreeAddr
  int32_t FilesTotal = 0;         // as the archive states it
  // Entry k is the offset of record k + 1; the last entry is the offset just past
  // the last record.
  std::vector<int32_t> RecordPos;

  // Records that can be shown.
  int32_t RecordCount() const { return RecordPos.empty() ? 0 : static_cast<int32_t>(RecordPos.size() - 1); }
};

// A file that is refused; the earlier archive stays loaded.
class LoadError : public std::runtime_error {
 public:
  enum Kind { NotAnArchive, Unusable };
  LoadError(Kind kind, const QString& text) : std::runtime_error(text.toStdString()), kind_(kind) {}
  Kind kind() const { return kind_; }
  QString message() const { return QString::fromStdString(what()); }

 private:
  Kind kind_;
};

using StatusFn = std::function<void(const QString& status)>;

// Checks the archive's bytes, reads the fixed values and scans the whole
// directory, reporting each step to status; path only names the file in what
// the user is told. Throws LoadError (DatFile stays 0).
ReaderState ReadDAT(const QString& path, std::shared_ptr<const platform::ArchiveSource> source,
                    const StatusFn& status);

// Opens the file under a new number and reads it as ReadDAT does. The archive
// loaded before is not touched. On failure (a damaged directory or too little memory for it
// included) the new number is closed again and LoadError says why.
ReaderState LoadDAT(const QString& path, const StatusFn& status);

// Closes every file the program has open except the one given.
void CloseAllExcept(int fileNo);

}  // namespace ledgerlamp
