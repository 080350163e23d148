// Linked only into scenpack_failing_allocation, a second build of the
// program for the tests (never into scenpack itself): the global operator
// new is replaced so that one allocation of the process can be made to
// fail, the way a machine out of memory would fail it. Each thread counts
// its own allocations, so that the one chosen is the same in every run
// whatever the threads' timing (the route map is written on a thread of
// its own):
//   SCENPACK_TEST_FAIL_ALLOCATION=N         the main thread's allocation
//                                           number N (from 1) throws
//                                           std::bad_alloc
//   SCENPACK_TEST_FAIL_BESIDE_ALLOCATION=M  so does allocation M of every
//                                           other thread
//   SCENPACK_TEST_COUNT_ALLOCATIONS=F       "N M" is written to file F when
//                                           the process ends: the main
//                                           thread's allocations and the
//                                           most any other thread made
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <thread>

namespace {

unsigned long long number_from_environment(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::strtoull(v, nullptr, 10) : 0ull;
}

// The first allocation of the process is made by its main thread, before
// any other thread exists.
bool on_main_thread() {
  static const std::thread::id main_thread = std::this_thread::get_id();
  return std::this_thread::get_id() == main_thread;
}

unsigned long long main_allocations = 0;  // touched by the main thread only
thread_local unsigned long long allocations_of_this_thread = 0;
std::atomic<unsigned long long> most_beside{0};

bool fails_now() {
  static const unsigned long long main_failing = number_from_environment("SCENPACK_TEST_FAIL_ALLOCATION");
  static const unsigned long long beside_failing = number_from_environment("SCENPACK_TEST_FAIL_BESIDE_ALLOCATION");
  if (on_main_thread()) return ++main_allocations == main_failing;
  const unsigned long long n = ++allocations_of_this_thread;
  unsigned long long most = most_beside.load();
  while (n > most && !most_beside.compare_exchange_weak(most, n)) {
  }
  return n == beside_failing;
}

void* allocate(std::size_t size) {
  if (fails_now()) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void* allocate_or_null(std::size_t size) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

struct CountAtExit {
  ~CountAtExit() {
    const char* path = std::getenv("SCENPACK_TEST_COUNT_ALLOCATIONS");
    if (path == nullptr) return;
    if (std::FILE* f = std::fopen(path, "w")) {
      std::fprintf(f, "%llu %llu\n", main_allocations, most_beside.load());
      std::fclose(f);
    }
  }
} count_at_exit;

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate_or_null(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate_or_null(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
