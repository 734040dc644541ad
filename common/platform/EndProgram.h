#pragma once
#include <functional>

namespace platform {

// Ends the program at once: every open file is closed and no window runs its
// own close handling. Tests install a handler instead; then the call returns.
void EndProgram(int exitCode = 0);

using EndProgramHandler = std::function<void(int exitCode)>;
// An empty handler restores the real ending.
void SetEndProgramHandler(EndProgramHandler handler);

}  // namespace platform
