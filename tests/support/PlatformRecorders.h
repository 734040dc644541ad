#pragma once
// Replace the program's ending and the shell's open operation for a test's
// lifetime, and record what was asked of them.
#include <QStringList>

namespace testsupport {

class EndProgramRecorder {
 public:
  EndProgramRecorder();
  ~EndProgramRecorder();
  int calls() const { return calls_; }

 private:
  int calls_ = 0;
};

class ShellOpenRecorder {
 public:
  ShellOpenRecorder();
  ~ShellOpenRecorder();
  const QStringList& addresses() const { return addresses_; }

 private:
  QStringList addresses_;
};

}  // namespace testsupport
