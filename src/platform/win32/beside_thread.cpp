#include "platform/beside_thread.h"

#include <thread>
#include <utility>

namespace scenpack {

// Windows spreads a new thread over idle processors itself.
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
