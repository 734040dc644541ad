#include "tools/StopSignal.h"

#include <signal.h>

#include <atomic>

namespace tools {
namespace {

std::atomic<bool> requested{false};
struct sigaction previousInt {}, previousTerm {};

void onSignal(int) {
  requested = true;
  // The next one is not caught.
  ::signal(SIGINT, SIG_DFL);
  ::signal(SIGTERM, SIG_DFL);
}

}  // namespace

StopSignal::StopSignal() {
  requested = false;
  struct sigaction action {};
  action.sa_handler = onSignal;
  ::sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &previousInt);
  ::sigaction(SIGTERM, &action, &previousTerm);
}

StopSignal::~StopSignal() {
  ::sigaction(SIGINT, &previousInt, nullptr);
  ::sigaction(SIGTERM, &previousTerm, nullptr);
}

bool StopSignal::Requested() { return requested; }

}  // namespace tools
