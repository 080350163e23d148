#include "platform/interruption.h"

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <unistd.h>

#include "platform/live_temporaries.h"

namespace scenpack {
namespace {

sigset_t interruptions() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, signal);
  return set;
}

void unlink_file(const char* path) { ::unlink(path); }

// Async-signal-safe: unlink, signal and raise only. The signal raised again
// is blocked until the handler returns, and then ends the process as if no
// handler had been there (a shell sees 128 + the signal's number).
void on_interruption(int signal) {
  const int saved_errno = errno;
  live_temporaries::delete_all_in_handler(unlink_file);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  errno = saved_errno;
}

}  // namespace

void remove_temporaries_when_interrupted() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    // An interruption that was ignored when the program started (nohup,
    // a background job of a shell without job control) stays ignored.
    if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = on_interruption;
    action.sa_mask = interruptions();
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
  }
}

void keep_interruptions_off_this_thread() {
  const sigset_t set = interruptions();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

InterruptionsHeld::InterruptionsHeld() {
  const sigset_t set = interruptions();
  sigset_t before;
  held_ = ::pthread_sigmask(SIG_BLOCK, &set, &before) == 0;
  // Already held by an outer guard: the outer one lets them go.
  if (held_ && sigismember(&before, SIGINT) == 1) held_ = false;
}

InterruptionsHeld::~InterruptionsHeld() {
  if (!held_) return;
  const sigset_t set = interruptions();
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace scenpack
