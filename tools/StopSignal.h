#pragma once
// Ctrl-C (SIGINT), SIGTERM and SIGHUP ask a long command to stop within the
// piece it is at, instead of ending it at once, so that it removes its hidden
// files itself. A second one removes them in the handler and ends the
// program as that signal does.
namespace tools {

class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  // Safe to call from any thread.
  static bool Requested();
};

}  // namespace tools
