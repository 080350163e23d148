// What the program does when it is interrupted: SIGINT, SIGTERM and SIGHUP
// (on Windows: Ctrl-C, Ctrl-Break, closing the console). Every live
// temporary is removed, then the process ends as the interruption ends a
// program (in a shell: 130, 143 and 129), leaving every compiled file
// either whole and old or whole and new.
#pragma once

namespace scenpack {

// Installs the handlers; once, at the start of the program.
void remove_temporaries_when_interrupted();

// Keeps interruptions off the calling thread, so that they reach the main
// one: for the threads the program starts.
void keep_interruptions_off_this_thread();

// While it lives, an interruption waits: for steps that belong together,
// as the renames that put one scenario's three files in place. It takes
// effect when the guard goes.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

 private:
  bool held_ = false;
};

}  // namespace scenpack
