#pragma once
// One extracted file being written. It never touches a file it did not create:
// a name that is free is created afresh; an existing file is replaced only at
// Commit, by renaming a fresh temporary sibling over it, so that it holds
// exactly the new bytes. Until Commit nothing stays behind.
#include <QString>
#include <QtGlobal>
#include <string>

namespace tallyhold {

class OutputFile {
 public:
  // folder and name in the file system's encoding; name is one safe component.
  // hidden writes through a temporary even when the name is free, so that the
  // file appears under its name only once complete and no other program can
  // open it while it is written. Throws DestinationError.
  OutputFile(const std::string& folder, const std::string& name, bool hidden);
  ~OutputFile();  // removes what it wrote unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const char* data, qint64 size);  // throws DestinationError
  void Commit();                               // throws DestinationError

  // The final path, for messages.
  QString Path() const;

 private:
  void openFresh(bool hidden);
  void openTemporary();
  [[noreturn]] void fail(int systemError) const;

  std::string final_;
  std::string written_;  // the file this object created: final_ or a temporary
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace tallyhold
