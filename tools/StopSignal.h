#pragma once
// Ctrl-C (SIGINT) and SIGTERM ask a long command to stop between entries
// instead of ending it at once, so that it leaves no hidden or half-written
// file behind. A second signal ends the program as usual.
namespace tools {

class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  static bool Requested();
};

}  // namespace tools
