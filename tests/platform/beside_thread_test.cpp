#include "platform/beside_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace scenpack {
namespace {

// The body runs once, and whatever it did is seen once the thread is
// joined, or gone without a join: its end is always waited for.
TEST(BesideThread, BodyRunsOnceAndItsEndIsWaitedFor) {
  int runs = 0;
  {
    BesideThread thread([&runs] { ++runs; });
    thread.join();
    EXPECT_EQ(runs, 1);
    thread.join();  // nothing more
  }
  std::atomic<bool> ended{false};
  {
    BesideThread thread([&ended] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ended = true;
    });
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace scenpack
