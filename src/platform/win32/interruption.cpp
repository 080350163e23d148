#include "platform/interruption.h"

#include <windows.h>

#include <mutex>

#include "platform/file_system.h"
#include "platform/live_temporaries.h"

namespace scenpack {
namespace {

// The console's handler runs on a thread of its own; it waits here while
// the main thread holds interruptions off.
std::recursive_mutex& held_off() {
  static std::recursive_mutex mutex;
  return mutex;
}

// The exit statuses a POSIX shell shows for the same interruptions.
constexpr UINT kInterrupted = 130;  // Ctrl-C, Ctrl-Break (SIGINT)
constexpr UINT kHungUp = 129;       // the console closed (SIGHUP)

BOOL WINAPI on_console_event(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  held_off().lock();  // never given back: the process ends here
  live_temporaries::delete_all();
  ExitProcess(event == CTRL_CLOSE_EVENT ? kHungUp : kInterrupted);
}

}  // namespace

void remove_temporaries_when_interrupted() { SetConsoleCtrlHandler(on_console_event, TRUE); }

// Console events reach a thread of their own, never the program's.
void keep_interruptions_off_this_thread() {}

InterruptionsHeld::InterruptionsHeld() {
  held_off().lock();
  held_ = true;
}

InterruptionsHeld::~InterruptionsHeld() {
  if (held_) held_off().unlock();
}

}  // namespace scenpack
