// A thread for work that should run beside the thread that starts it, on
// another processor, rather than take turns with it: on Linux it is started
// on the other processors from the first, since a short thread left on its
// starter's processor stays there (bench/README.md).
#pragma once

#include <functional>
#include <memory>

namespace scenpack {

class BesideThread {
 public:
  // Starts `body`, which must not throw. Throws std::system_error when no
  // thread can be started.
  explicit BesideThread(std::function<void()> body);
  // Waits for the body to end.
  ~BesideThread();
  BesideThread(const BesideThread&) = delete;
  BesideThread& operator=(const BesideThread&) = delete;

  // Waits for the body to end; nothing more after the first call.
  void join();

  // The system's part, which each system defines.
  struct Running;

 private:
  std::unique_ptr<Running> running_;
};

}  // namespace scenpack
