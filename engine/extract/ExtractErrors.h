#pragma once
// The two ways an entry can fail. A bad entry is skipped and the run goes on;
// a destination that cannot be written stops the run.
#include <QString>
#include <stdexcept>

namespace engine {

// The entry itself is bad: its body lies outside the archive, its stream is
// damaged or inflates to another length than RealSize, its name is unsafe, or
// the destination's file system cannot hold its name (too long, refused
// characters, a link or a file standing where its folder must go).
class EntryDataError : public std::runtime_error {
 public:
  explicit EntryDataError(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
  const QString& reason() const { return reason_; }

 private:
  QString reason_;
};

// The destination refused a write: the file or folder concerned and the
// system's own reason, the text of the error number (errno) it gave.
class DestinationError : public std::runtime_error {
 public:
  DestinationError(const QString& file, int systemError);
  DestinationError(const QString& file, const QString& reason);
  const QString& file() const { return file_; }
  const QString& reason() const { return reason_; }

 private:
  QString file_;
  QString reason_;
};

// The run's stop, seen between two pieces of an entry.
class EntryStopped {};

// Throws for a failed operation on file: EntryDataError when the error is
// about the name or what stands under it, DestinationError otherwise.
[[noreturn]] void ThrowForSystemError(int systemError, const QString& file);

}  // namespace engine
