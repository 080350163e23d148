#include "format/decoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <span>

#include "driver/startup.h"
#include "format/encoding.h"
#include "format/file_bytes.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::slurp;
using testing_support::TempDir;

// Doubles compared bit for bit (a NaN equals itself).
bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

// The same metres and the same set points, whether held or drawn.
void expect_same_map(const RouteMap& a, const RouteMap& b) {
  EXPECT_EQ(a.sized, b.sized);
  EXPECT_EQ(a.last_index, b.last_index);
  EXPECT_EQ(a.points_set, b.points_set);
  const MapPoints pa = map_points(a);
  const MapPoints pb = map_points(b);
  EXPECT_TRUE(same_bits(pa.x, pb.x));
  EXPECT_TRUE(same_bits(pa.y, pb.y));
}

// A source that hands out three bytes at a time, so that Variants straddle
// the pieces the decoder is given.
class Trickle : public TextPieces {
 public:
  using TextPieces::TextPieces;
  size_t next(char* into, size_t n) override { return TextPieces::next(into, std::min<size_t>(n, 3)); }
};

std::string fault_text(const std::optional<DecodeFault>& f) {
  return f ? "byte " + std::to_string(f->byte) + ": " + f->what : "accepted";
}

TEST(Decoding, EmbeddedScenarioFilesDecodeToTheTablesThatWroteThem) {
  TempDir dir;
  Tables t;
  ::testing::internal::CaptureStderr();
  RunOutcome out = run_startup(t, dir.path(), true);
  ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(out.build.status.is_ok());

  std::vector<Cella> celle;
  std::array<Scheda, kRecordCount> schede;
  RouteMap mappa;
  const std::string cells_file = slurp(dir.file("Tarvena1_84.dat"));
  const std::string records_file = slurp(dir.file("Tarvena1_84.sim"));
  const std::string map_file = slurp(dir.file("Tarvena1_linea.dat"));
  ASSERT_EQ(fault_text(decode_cells(cells_file, celle)), "accepted");
  ASSERT_EQ(fault_text(decode_records(records_file, schede)), "accepted");
  ASSERT_EQ(fault_text(decode_route_map(map_file, mappa)), "accepted");

  EXPECT_EQ(celle, t.celle);
  EXPECT_EQ(schede, t.schede);
  expect_same_map(mappa, t.mappa);
  // And back again: the same bytes.
  EXPECT_EQ(cells_bytes(celle), cells_file);
  EXPECT_EQ(records_bytes(schede), records_file);
  EXPECT_EQ(route_map_bytes(mappa), map_file);

  // Read in pieces, with its points or its outline alone.
  Trickle pieces(map_file);
  RouteMap in_pieces, outline;
  ASSERT_EQ(fault_text(decode_route_map(pieces, in_pieces, true)), "accepted");
  expect_same_map(in_pieces, t.mappa);
  ASSERT_EQ(fault_text(decode_route_map(pieces, outline, false)), "accepted");
  EXPECT_EQ(outline.last_index, t.mappa.last_index);
  EXPECT_EQ(outline.points_set, t.mappa.points_set);
  EXPECT_TRUE(outline.x.empty() && outline.y.empty());

  // The outline's points walked from the file, x and y in step, a block at
  // a time: the same points, in order.
  MapPoints walked;
  ASSERT_EQ(fault_text(walk_route_map(pieces, outline, [&](size_t first, std::span<const double> x, std::span<const double> y) {
              EXPECT_EQ(first, walked.x.size());
              walked.x.insert(walked.x.end(), x.begin(), x.end());
              walked.y.insert(walked.y.end(), y.begin(), y.end());
            })),
            "accepted");
  const MapPoints held = map_points(t.mappa);
  EXPECT_TRUE(same_bits(walked.x, held.x));
  EXPECT_TRUE(same_bits(walked.y, held.y));
}

TEST(Decoding, HandMadeTablesRoundTripAtTheEdgesOfEveryWidth) {
  std::vector<Cella> celle(3);
  celle[1] = Cella{255, -32768, 32767, -1, 5121, 254, 84, 13, 28, 200, 1};
  celle[2].tipo = kind::kTextBoard;
  std::array<Scheda, kRecordCount> schede{};
  schede[0].testo = std::string(kLongestText, 'x');
  schede[1] = Scheda{8, -500, 500, INT32_MIN, 1, "ROMA \xC0 TERMINI", -4, 32767, 2, 1, 0, 0, 1, 0, 255, INT32_MAX};
  schede[86].testo = std::string("a\0b", 3);
  RouteMap m;
  m.sized = true;
  m.last_index = 5;
  m.points_set = 4;
  m.x = {0, 0, -1.5, 1e300, 0, 0};
  m.y = {-32768, 32767, std::bit_cast<double>(uint64_t{0x7ff8000000000001}), -0.0, 0, 0};

  std::vector<Cella> celle_back;
  std::array<Scheda, kRecordCount> schede_back;
  RouteMap map_back;
  ASSERT_FALSE(decode_cells(cells_bytes(celle), celle_back));
  ASSERT_FALSE(decode_records(records_bytes(schede), schede_back));
  ASSERT_FALSE(decode_route_map(route_map_bytes(m), map_back));
  EXPECT_EQ(celle_back, celle);
  EXPECT_EQ(schede_back, schede);
  expect_same_map(map_back, m);
}

// The check of a map laid out as a build writes it also finds the ranges
// of its set points, from which a picture is framed without a walk: the
// least and greatest x and y of the set metres, in every piece size. A map
// whose values are not all finite numbers, or whose two halves are not told
// apart by their runs of Integers (two metres, both set), gets none, and
// the picture walks its points instead.
TEST(Decoding, TheCheckOfABuiltMapFindsTheRangesOfItsSetPoints) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    int32_t metres, set;
    std::vector<double> x, y;
    std::optional<MapRanges> ranges;
  } cases[] = {
      {"set and Empty metres", 7, 5, {0, 1, -2.5, 40, 3}, {0, -7, 2, 2.25, 1e6}, MapRanges{-2.5, 40, -7, 1e6}},
      {"every metre set", 4, 4, {0, 0, 0.5, 0.25}, {0, 1, 2, 3}, MapRanges{0, 0.5, 0, 3}},
      {"a y that is no number", 5, 4, {0, 1, 2, 3}, {0, 1, nan, 3}, std::nullopt},
      {"an infinite x", 5, 4, {0, 1, std::numeric_limits<double>::infinity(), 3}, {0, 1, 2, 3}, std::nullopt},
      {"two metres, one run of Integers", 2, 2, {0, 1}, {2, 3}, std::nullopt},
      {"two metres and an Empty one", 3, 2, {0, -1}, {5, 3}, MapRanges{-1, 0, 3, 5}},
  };
  for (const Case& c : cases) {
    RouteMap m;
    m.sized = true;
    m.last_index = c.metres - 1;
    m.points_set = c.set;
    m.x = c.x;
    m.y = c.y;
    m.x.resize(static_cast<size_t>(c.metres));
    m.y.resize(static_cast<size_t>(c.metres));
    const std::string bytes = route_map_bytes(m);
    for (bool trickle : {false, true}) {
      TextPieces whole(bytes);
      Trickle pieces(bytes);
      PieceSource& source = trickle ? static_cast<PieceSource&>(pieces) : whole;
      RouteMap outline;
      std::optional<MapRanges> ranges;
      ASSERT_EQ(fault_text(decode_route_map(source, outline, false, &ranges)), "accepted") << c.name;
      ASSERT_EQ(ranges.has_value(), c.ranges.has_value()) << c.name;
      if (!ranges) continue;
      EXPECT_EQ(ranges->min_x, c.ranges->min_x) << c.name;
      EXPECT_EQ(ranges->max_x, c.ranges->max_x) << c.name;
      EXPECT_EQ(ranges->min_y, c.ranges->min_y) << c.name;
      EXPECT_EQ(ranges->max_y, c.ranges->max_y) << c.name;
    }
  }
}

TEST(Decoding, EmptyCellAndMapFilesAreTablesNeverSized) {
  std::vector<Cella> celle(4);
  RouteMap m;
  m.sized = true;
  EXPECT_FALSE(decode_cells("", celle));
  EXPECT_TRUE(celle.empty());
  EXPECT_FALSE(decode_route_map("", m));
  EXPECT_FALSE(m.sized);
  EXPECT_EQ(m.last_index, -1);
}

// Little builders for malformed files.
std::string i16(int16_t v) {
  std::string s;
  put_i16(s, v);
  return s;
}
std::string integer(int16_t v) { return i16(variant_tag::kInteger) + i16(v); }
std::string dbl(double v) {
  std::string s = i16(variant_tag::kDouble);
  put_f64(s, v);
  return s;
}
std::string empty() { return i16(variant_tag::kEmpty); }
std::string records_with_text_length(uint16_t n) {
  std::array<Scheda, kRecordCount> schede{};
  std::string bytes = records_bytes(schede);
  bytes[14] = static_cast<char>(n & 0xFF);
  bytes[15] = static_cast<char>(n >> 8);
  return bytes;
}

TEST(Decoding, MalformedFilesAreRefusedAtTheByteThatIsWrong) {
  enum File { kCells, kRecords, kMap };
  const std::string cells_3 = cells_bytes(std::vector<Cella>(3));
  const std::string records = records_bytes({});
  const std::string good_map = integer(0) + integer(0) + dbl(2) + empty() + integer(0) + integer(1) + dbl(3) + empty();
  const struct Case {
    const char* name;
    File file;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"cell cut short", kCells, cells_3.substr(0, 37), "byte 30: the file ends inside cell 2 (7 of its 15 bytes)"},
      {"more cells than the longest route", kCells, std::string(kLongestCellsFile + 15, '\0'),
       "byte 302115: more than the 20141 cells of the longest route"},
      {"no records", kRecords, "", "byte 0: the file ends after 0 of the 87 records"},
      {"record head cut short", kRecords, records.substr(0, 34 + 10), "byte 34: the file ends inside record 1 (10 bytes, at least 34 needed)"},
      {"last record missing", kRecords, records.substr(0, 34 * 86), "byte 2924: the file ends after 86 of the 87 records"},
      {"text length past the end", kRecords, records_with_text_length(60000),
       "byte 0: the file ends inside record 0 (2958 of its 60034 bytes; its text length at byte 14 is 60000)"},
      {"bytes after the last record", kRecords, records + "xyz", "byte 2958: 3 bytes after the last record (86)"},
      {"odd element count", kMap, good_map + empty(), "byte 42: the map holds 9 elements, an odd number (x and y need one each per metre)"},
      {"unknown tag", kMap, integer(0) + i16(7) + "abcdefgh", "byte 4: unknown Variant tag 7"},
      {"negative tag", kMap, i16(-1), "byte 0: unknown Variant tag -1"},
      {"a String in a map", kMap, i16(variant_tag::kString) + i16(0), "byte 0: Variant tag 8 (String) does not occur in a route map"},
      {"Double cut short", kMap, integer(0) + integer(0) + dbl(1).substr(0, 6), "byte 8: the file ends inside a Double (4 of its 8 bytes)"},
      {"Integer cut short", kMap, i16(variant_tag::kInteger) + "x", "byte 0: the file ends inside an Integer (1 of its 2 bytes)"},
      {"tag cut short", kMap, empty() + "x", "byte 2: the file ends inside a Variant's tag"},
      {"set after Empty", kMap, integer(0) + empty() + empty() + dbl(1) + integer(0) + empty() + empty() + empty(),
       "byte 8: x of metre 3 is set after the Empty metre 1"},
      {"Integer beyond metre 1", kMap, integer(0) + integer(0) + integer(5) + integer(0) + integer(0) + integer(5),
       "byte 8: x of metre 2 is an Integer; only metres 0 and 1 hold Integers"},
      {"Double at metre 0", kMap, dbl(0) + empty(), "byte 0: x of metre 0 is a Double; metres 0 and 1 hold Integers"},
      {"y set where x is Empty", kMap, integer(0) + empty() + integer(0) + integer(1), "byte 10: y of metre 1 is set but x of that metre is Empty"},
      {"y Empty where x is set", kMap, integer(0) + integer(0) + integer(0) + empty(), "byte 12: y of metre 1 is Empty but x of that metre is set"},
      {"map longer than any build writes", kMap, std::string(kLongestRouteMapFile + 2, '\0'),
       "byte 20140020: longer than the map of the longest route can be (20140020 bytes)"},
      {"too many metres of Empty", kMap, std::string(2 * 2 * (kMostMapMetres + 1), '\0'),
       "byte 4028008: the map has 1007002 metres, more than the 1007001 of the longest route"},
  };
  for (const Case& c : cases) {
    std::optional<DecodeFault> fault;
    std::vector<Cella> celle;
    std::array<Scheda, kRecordCount> schede;
    RouteMap m;
    switch (c.file) {
      case kCells: fault = decode_cells(c.bytes, celle); break;
      case kRecords: fault = decode_records(c.bytes, schede); break;
      case kMap: fault = decode_route_map(c.bytes, m); break;
    }
    EXPECT_EQ(fault_text(fault), c.expected) << c.name;
    if (c.file == kMap) {
      Trickle pieces(c.bytes);
      EXPECT_EQ(fault_text(decode_route_map(pieces, m, false)), c.expected) << c.name << ", in pieces";
    }
  }
  RouteMap m;
  EXPECT_EQ(fault_text(decode_route_map(good_map, m)), "accepted");
  EXPECT_EQ(m.points_set, 3);
}

// A map file that changed between the check and the walk of its points:
// the walk stops where the file no longer fits what was checked.
TEST(Decoding, AWalkOfAMapThatChangedSinceItWasCheckedStopsWhereItNoLongerFits) {
  const std::string checked = integer(0) + integer(0) + dbl(2) + empty() + integer(0) + integer(1) + dbl(3) + empty();
  TextPieces checked_pieces(checked);
  RouteMap outline;
  ASSERT_EQ(fault_text(decode_route_map(checked_pieces, outline, false)), "accepted");
  const struct Case {
    const char* name;
    std::string bytes;
    const char* expected;
    size_t points_before;  // handed on before the fault
  } cases[] = {
      {"unchanged", checked, "accepted", 3},
      {"a Double become Empty", integer(0) + integer(0) + empty() + empty() + integer(0) + integer(1) + dbl(3) + empty(),
       "byte 8: x of metre 2 is not what it was when the file was checked (it changed since)", 0},
      {"y moved", integer(0) + integer(0) + dbl(2) + empty() + empty() + integer(0) + integer(1) + dbl(3),
       "byte 20: y of metre 0 is not what it was when the file was checked (it changed since)", 0},
      {"cut short", checked.substr(0, 25), "byte 25: the file ends 13 bytes short", 0},
  };
  for (const Case& c : cases) {
    Trickle pieces(c.bytes);
    size_t points = 0;
    const auto fault = walk_route_map(pieces, outline, [&](size_t, std::span<const double> x, std::span<const double>) {
      points += x.size();
    });
    EXPECT_EQ(fault_text(fault), c.expected) << c.name;
    EXPECT_EQ(points, c.points_before) << c.name;
  }
}

TEST(Decoding, ARefusedFileLeavesTheTablesAsTheyWere) {
  std::vector<Cella> celle(2, Cella{kind::kSignal});
  ASSERT_TRUE(decode_cells(std::string(16, '\0'), celle));
  EXPECT_EQ(celle, std::vector<Cella>(2, Cella{kind::kSignal}));
}

}  // namespace
}  // namespace scenpack
