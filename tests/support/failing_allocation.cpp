// Linked only into scenpack_failing_allocation, a second build of the
// program for the tests (never into scenpack itself): the global operator
// new is replaced so that one allocation of the process can be made to
// fail, the way a machine out of memory would fail it.
//   SCENPACK_TEST_FAIL_ALLOCATION=N     allocation number N (from 1) throws
//                                       std::bad_alloc; the others succeed
//   SCENPACK_TEST_COUNT_ALLOCATIONS=F   the number of allocations made is
//                                       written to file F when the process ends
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Counted across threads: the route map is written on a thread of its own.
std::atomic<unsigned long long> allocations_made{0};

unsigned long long allocation_to_fail() {
  static const unsigned long long n = [] {
    const char* v = std::getenv("SCENPACK_TEST_FAIL_ALLOCATION");
    return v ? std::strtoull(v, nullptr, 10) : 0ull;
  }();
  return n;
}

void* allocate(std::size_t size) {
  if (allocations_made.fetch_add(1) + 1 == allocation_to_fail()) throw std::bad_alloc();
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
      std::fprintf(f, "%llu\n", allocations_made.load());
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
