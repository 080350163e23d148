#include "platform/beside_thread.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include <pthread.h>
#if defined(__linux__)
#include <sched.h>
#endif

namespace scenpack {

struct BesideThread::Running {
  std::function<void()> body;
  pthread_t thread{};
  bool joinable = false;
};

namespace {

void* run_body(void* running) {
  static_cast<std::function<void()>*>(running)->operator()();
  return nullptr;
}

// Every processor the caller may use but the one it is on, when there is
// another; false to leave the choice to the system.
bool other_processors(pthread_attr_t& attributes) {
#if defined(__linux__)
  const int here = sched_getcpu();
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (here < 0 || here >= CPU_SETSIZE) return false;
  if (pthread_getaffinity_np(pthread_self(), sizeof allowed, &allowed) != 0) return false;
  if (!CPU_ISSET(here, &allowed) || CPU_COUNT(&allowed) < 2) return false;
  CPU_CLR(here, &allowed);
  return pthread_attr_setaffinity_np(&attributes, sizeof allowed, &allowed) == 0;
#else
  (void)attributes;
  return false;
#endif
}

}  // namespace

BesideThread::BesideThread(std::function<void()> body) : running_(std::make_unique<Running>()) {
  running_->body = std::move(body);
  pthread_attr_t attributes;
  if (int err = pthread_attr_init(&attributes); err != 0) throw std::system_error(err, std::generic_category());
  (void)other_processors(attributes);
  const int err = pthread_create(&running_->thread, &attributes, run_body, &running_->body);
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
