#include "common/platform/EndProgram.h"

#include <cstdio>
#include <cstdlib>

#include "common/platform/FileNumbers.h"

namespace platform {
namespace {
EndProgramHandler& handler() {
  static EndProgramHandler installed;
  return installed;
}
}  // namespace

void EndProgram(int exitCode) {
  CloseAll();
  if (handler()) {
    handler()(exitCode);
    return;
  }
  std::fflush(nullptr);
  // _Exit, not exit: nothing of the program may run after this point.
  std::_Exit(exitCode);
}

void SetEndProgramHandler(EndProgramHandler newHandler) { handler() = std::move(newHandler); }

}  // namespace platform
