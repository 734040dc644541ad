#include "tools/StopSignal.h"

#include <signal.h>

#include <atomic>
#include <iterator>

#include "common/platform/HiddenFiles.h"

namespace tools {
namespace {

constexpr int Caught[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);
struct sigaction previous[std::size(Caught)]{};

// The signals are blocked while it runs, so the one raised here ends the
// program only when the handler returns, after the files are gone.
void onSignal(int signal) {
  if (!requested.exchange(true)) return;
  platform::hiddenfiles::RemoveAll();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

StopSignal::StopSignal() {
  requested = false;
  struct sigaction action {};
  action.sa_handler = onSignal;
  ::sigemptyset(&action.sa_mask);
  for (const int signal : Caught) ::sigaddset(&action.sa_mask, signal);
  // A signal ignored from the start (nohup) stays ignored.
  for (std::size_t at = 0; at < std::size(Caught); ++at) {
    ::sigaction(Caught[at], nullptr, &previous[at]);
    if (previous[at].sa_handler != SIG_IGN) ::sigaction(Caught[at], &action, nullptr);
  }
}

StopSignal::~StopSignal() {
  for (std::size_t at = 0; at < std::size(Caught); ++at) ::sigaction(Caught[at], &previous[at], nullptr);
}

bool StopSignal::Requested() { return requested; }

}  // namespace tools
