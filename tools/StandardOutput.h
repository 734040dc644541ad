#pragma once
// Standard output of every command, through one buffer: every write is
// checked, the last flush too. A failed write throws OutputFailed, which ends
// the command; nothing more is written after it, so that a full disk or a
// closed pipe (SIGPIPE ignored) costs one failed write, not one a line.
#include <QByteArrayView>
#include <functional>

#include "engine/extract/ExtractErrors.h"

namespace tools {

// A DestinationError named "standard output", so that cat, which writes an
// entry as extraction writes a file, tells it as it tells any such failure.
class OutputFailed : public engine::DestinationError {
 public:
  explicit OutputFailed(int systemError);
};

void Output(QByteArrayView bytes);

// Called first: a standard descriptor found closed is held by /dev/null open
// for reading, so that no file the command opens takes its number and
// receives its output; a write to it fails (EBADF) and is told.
void HoldClosedStandardDescriptors();

// Runs the command and writes out what it left. A failed write is told
// ("standard output: REASON") and ends the command with status SomeFailed.
int WithCheckedOutput(const std::function<int()>& command);

}  // namespace tools
