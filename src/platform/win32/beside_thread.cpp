#include "platform/beside_thread.h"

#include <thread>
#include <utility>

namespace scenpack {

// On Windows the thread is started as any other: its processor is left to
// the system.
struct BesideThread::Running {
  std::thread thread;
};

BesideThread::BesideThread(std::function<void()> body) : running_(std::make_unique<Running>()) {
  running_->thread = std::thread(std::move(body));
}

BesideThread::~BesideThread() { join(); }

void BesideThread::join() {
  if (running_ && running_->thread.joinable()) running_->thread.join();
}

}  // namespace scenpack
