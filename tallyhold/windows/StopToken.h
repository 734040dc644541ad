#pragma once
#include <atomic>

namespace tallyhold {

// The stop request of one run (a scan or an extraction): the run makes its
// own, its progress window's Cancel raises it, and the run polls it between
// entries. A run never sees another run's request.
class StopToken {
 public:
  void Request() { requested_ = true; }
  bool Requested() const { return requested_; }

 private:
  std::atomic<bool> requested_ = false;  // also asked on a run's worker threads
};

}  // namespace tallyhold
