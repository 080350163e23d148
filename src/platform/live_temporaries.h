// The temporaries of atomic files that are neither put in place nor
// removed yet, so that a run ending abnormally (an exception caught at the
// top, a termination, an interruption) leaves none behind. The list can be
// walked from a signal handler: fixed slots, atomic states, no lock and no
// allocation on that path.
#pragma once

#include <string>

#include "platform/interruption.h"

namespace scenpack::live_temporaries {

// Held from just before a temporary is made until its name is on the list.
// An interruption then cannot land between the two on this thread, and one
// on another thread waits for the name before it walks the list; a
// temporary begun after an interruption started is never made (its thread
// waits for the process's end).
class Creating {
 public:
  Creating();
  ~Creating();
  Creating(const Creating&) = delete;
  Creating& operator=(const Creating&) = delete;

 private:
  InterruptionsHeld held_;
};

// From any thread. A name longer than a slot holds, or one more than the
// slots can hold, is kept aside: removed at a normal end, not by a signal.
void add(const std::string& path);
void remove(const std::string& path) noexcept;

// Removes every file on the list and empties it (not from a signal handler).
void delete_all() noexcept;

// Calls `delete_file` with each name on the list: async-signal-safe as long
// as `delete_file` is. For the thread that gets the interruption; the
// others must not add names meanwhile (the threads the program starts
// never receive an interruption and never add one).
void delete_all_in_handler(void (*delete_file)(const char* path)) noexcept;

}  // namespace scenpack::live_temporaries
