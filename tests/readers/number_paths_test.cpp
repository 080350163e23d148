// The field reader reads most numbers by fast paths of its own (a plain
// integer, a short decimal rounded exactly); every other number goes the
// slow road through a double. A million random fields near every boundary
// (the widths' limits, the exact paths' digit limits, halves) must read as
// the slow road reads them: the same value, or the same refusal.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "support/reference_number.h"

namespace scenpack {
namespace {

using testing_support::field_reader_long;
using testing_support::reference_long;

// Whole parts at the edges: of a Byte, an Integer and a Long, of the digits
// the exact paths take (9 with a fraction, 15 without), and of zero.
constexpr std::array<const char*, 16> kWholeParts = {
    "0",          "1",           "255",        "256",        "32767",           "32768",
    "2147483646", "2147483647",  "2147483648", "999999999",  "1000000000",      "4294967295",
    "999999999999999", "1000000000000000", "9007199254740993", "123456789012345678901"};

// Fractions near a half, at the exact path's six digits and past them.
constexpr std::array<const char*, 12> kFractions = {
    "",  "5", "50", "500000", "5000000", "4999999", "500001", "499999", "0000005", "9999999", "49999999999", "50000000001"};

std::string random_digits(std::mt19937_64& rng, int most) {
  std::uniform_int_distribution<int> length(0, most), digit(0, 9);
  std::string out(static_cast<size_t>(length(rng)), '0');
  for (char& c : out) c = static_cast<char>('0' + digit(rng));
  return out;
}

std::string random_field(std::mt19937_64& rng) {
  std::uniform_int_distribution<int> pick(0, 99);
  std::string field;
  const int sign = pick(rng);
  if (sign < 30) field += '-';
  else if (sign < 35) field += '+';
  if (pick(rng) < 10) field += std::string(static_cast<size_t>(pick(rng) % 3 + 1), '0');
  if (pick(rng) < 60) {
    std::string whole = kWholeParts[static_cast<size_t>(pick(rng)) % kWholeParts.size()];
    // Nudge the last digit: one below or above the edge.
    const int nudge = pick(rng) % 3 - 1;
    if (nudge != 0 && whole.back() + nudge >= '0' && whole.back() + nudge <= '9') whole.back() += nudge;
    field += whole;
  } else {
    field += random_digits(rng, 17);
  }
  const int fraction = pick(rng);
  if (fraction < 40) {
    field += '.';
    field += kFractions[static_cast<size_t>(pick(rng)) % kFractions.size()];
  } else if (fraction < 60) {
    field += '.';
    field += random_digits(rng, 9);
  }
  return field;
}

TEST(NumberPaths, AMillionFieldsReadAsFromCharsAndRoundingReadThem) {
  std::mt19937_64 rng(20261211);
  int checked = 0;
  for (int n = 0; n < 1000000; ++n) {
    const std::string field = random_field(rng);
    if (field.empty()) continue;  // no field at all: the end of the text
    ++checked;
    const testing_support::NumberReading want = reference_long(field);
    const testing_support::NumberReading got = field_reader_long(field);
    if (got != want) {
      ADD_FAILURE() << "\"" << field << "\": read " << static_cast<int>(got.kind) << " " << got.value << ", should be "
                    << static_cast<int>(want.kind) << " " << want.value;
      break;
    }
  }
  EXPECT_GT(checked, 990000);
}

}  // namespace
}  // namespace scenpack
