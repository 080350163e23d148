#include "readers/checked_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace scenpack {
namespace {

// Each conversion rounds half to even first, then refuses what does not fit
// its width; NaN fits nothing.
TEST(CheckedConversion, EdgesOfEachWidth) {
  EXPECT_EQ(byte_or_fault(254.5), 254);
  EXPECT_EQ(byte_or_fault(-0.5), 0);
  EXPECT_THROW(byte_or_fault(255.5), ReadFault);
  EXPECT_THROW(byte_or_fault(-0.51), ReadFault);
  EXPECT_EQ(integer_or_fault(32766.5), 32766);
  EXPECT_EQ(integer_or_fault(-32768.5), -32768);
  EXPECT_THROW(integer_or_fault(32767.5), ReadFault);
  EXPECT_EQ(long_or_fault(2147483646.5), 2147483646);
  EXPECT_EQ(long_or_fault(-2147483648.5), INT32_MIN);
  EXPECT_THROW(long_or_fault(2147483647.5), ReadFault);
  EXPECT_THROW(long_or_fault(-2147483649.0), ReadFault);
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    EXPECT_THROW(byte_or_fault(bad), ReadFault);
    EXPECT_THROW(integer_or_fault(bad), ReadFault);
    EXPECT_THROW(long_or_fault(bad), ReadFault);
  }
}

}  // namespace
}  // namespace scenpack
