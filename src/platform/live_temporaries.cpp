#include "platform/live_temporaries.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace scenpack::live_temporaries {
namespace {

// A build holds at most four temporaries at once (the report and the three
// compiled files); a name is a path, at most 4096 bytes on Linux.
constexpr size_t kSlots = 16;
constexpr size_t kLongestPath = 4096;

enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kLongestPath + 1];
};

// Zero-initialised storage: it costs nothing until a slot is used.
std::array<Slot, kSlots> slots;

// Temporaries being made and listed, and whether an interruption began.
std::atomic<int> creating{0};
std::atomic<bool> ending{false};

std::mutex& writers() {
  static std::mutex mutex;
  return mutex;
}

std::vector<std::string>& set_aside() {
  static std::vector<std::string> names;
  return names;
}

}  // namespace

Creating::Creating() {
  creating.fetch_add(1);
  if (!ending.load()) return;
  creating.fetch_sub(1);
  for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

Creating::~Creating() { creating.fetch_sub(1); }

void add(const std::string& path) {
  std::lock_guard<std::mutex> lock(writers());
  if (path.size() <= kLongestPath) {
    for (Slot& slot : slots) {
      if (slot.state.load() != kFree) continue;
      slot.state.store(kFilling);
      std::memcpy(slot.path, path.c_str(), path.size() + 1);
      slot.state.store(kLive);
      return;
    }
  }
  set_aside().push_back(path);
}

void remove(const std::string& path) noexcept {
  std::lock_guard<std::mutex> lock(writers());
  for (Slot& slot : slots) {
    if (slot.state.load() == kLive && path == slot.path) {
      slot.state.store(kFree);
      return;
    }
  }
  std::vector<std::string>& names = set_aside();
  names.erase(std::remove(names.begin(), names.end(), path), names.end());
}

void delete_all() noexcept {
  std::lock_guard<std::mutex> lock(writers());
  for (Slot& slot : slots) {
    if (slot.state.load() != kLive) continue;
    try {
      remove_file(slot.path);
    } catch (...) {
      // Nothing more can be done for this one; go on with the others.
    }
    slot.state.store(kFree);
  }
  for (const std::string& name : set_aside()) {
    try {
      remove_file(name);
    } catch (...) {
    }
  }
  set_aside().clear();
}

void delete_all_in_handler(void (*delete_file)(const char* path)) noexcept {
  // A temporary another thread is making is waited for: a few system calls.
  ending.store(true);
  while (creating.load() != 0) {
  }
  for (Slot& slot : slots) {
    if (slot.state.load() == kLive) delete_file(slot.path);
  }
}

}  // namespace scenpack::live_temporaries
