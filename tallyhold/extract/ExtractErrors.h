#pragma once
// The two ways an entry can fail. Bad data skips the entry and the run goes on;
// a destination that cannot be written stops the run.
#include <QString>
#include <stdexcept>

namespace tallyhold {

// The entry itself is bad: its body lies outside the archive, its stream is
// damaged or inflates to another length than RealSize, or its name is unsafe.
class EntryDataError : public std::runtime_error {
 public:
  explicit EntryDataError(const QString& reason)
      : std::runtime_error(reason.toStdString()), reason_(reason) {}
  const QString& reason() const { return reason_; }

 private:
  QString reason_;
};

// The destination refused a write: the file or folder concerned and the
// system's own reason, the text of the error number (errno) it gave.
class DestinationError : public std::runtime_error {
 public:
  DestinationError(const QString& file, int systemError);
  const QString& file() const { return file_; }
  const QString& reason() const { return reason_; }

 private:
  QString file_;
  QString reason_;
};

}  // namespace tallyhold
