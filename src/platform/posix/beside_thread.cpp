#include "platform/beside_thread.h"

#include <system_error>
#include <utility>

#include <pthread.h>
#if defined(__linux__)
#include <sched.h>
#endif

#include "platform/interruption.h"

namespace scenpack {

struct BesideThread::Running {
  std::function<void()> body;
  pthread_t thread{};
  bool joinable = false;
#if defined(__linux__)
  bool placed = false;  // started on the other processors: `allowed` is given back first
  cpu_set_t allowed;    // the processors the starter may use
#endif
};

namespace {

#if defined(__linux__)

// Every processor the caller may use but the one it is on, when there is
// another; false to leave the choice to the system. `allowed` receives the
// caller's own set.
bool other_processors(pthread_attr_t& attributes, cpu_set_t& allowed) {
  const int here = sched_getcpu();
  CPU_ZERO(&allowed);
  if (here < 0 || here >= CPU_SETSIZE) return false;
  if (pthread_getaffinity_np(pthread_self(), sizeof allowed, &allowed) != 0) return false;
  if (!CPU_ISSET(here, &allowed) || CPU_COUNT(&allowed) < 2) return false;
  cpu_set_t others = allowed;
  CPU_CLR(here, &others);
  return pthread_attr_setaffinity_np(&attributes, sizeof others, &others) == 0;
}

#endif

void* run_body(void* argument) {
  auto* running = static_cast<BesideThread::Running*>(argument);
  keep_interruptions_off_this_thread();
#if defined(__linux__)
  // Started on another processor, the thread may go anywhere its starter
  // may: held to the others, it would wait for a busy one while the
  // starter's stood idle.
  if (running->placed) (void)pthread_setaffinity_np(pthread_self(), sizeof running->allowed, &running->allowed);
#endif
  running->body();
  return nullptr;
}

}  // namespace

BesideThread::BesideThread(std::function<void()> body) : running_(std::make_unique<Running>()) {
  running_->body = std::move(body);
  pthread_attr_t attributes;
  if (int err = pthread_attr_init(&attributes); err != 0) throw std::system_error(err, std::generic_category());
#if defined(__linux__)
  running_->placed = other_processors(attributes, running_->allowed);
#endif
  const int err = pthread_create(&running_->thread, &attributes, run_body, running_.get());
  pthread_attr_destroy(&attributes);
  if (err != 0) throw std::system_error(err, std::generic_category(), "no thread");
  running_->joinable = true;
}

BesideThread::~BesideThread() { join(); }

void BesideThread::join() {
  if (!running_ || !running_->joinable) return;
  pthread_join(running_->thread, nullptr);
  running_->joinable = false;
}

}  // namespace scenpack
