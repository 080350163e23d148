#include "model/tables.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Tables, SizingFromRouteLengthRoundsHalfToEven) {
  struct Case {
    int32_t length;
    int32_t n_celle;
  } cases[] = {
      {0, 140}, {25, 140}, {93925, 2018}, {93975, 2020}, {1000000, 20140},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    Tables t;
    t.modo_percorso = 1;
    ASSERT_TRUE(size_tables(t, c.length));
    EXPECT_EQ(t.lunghezza_estesa, c.length + 7000);
    EXPECT_EQ(t.n_celle, c.n_celle);
    EXPECT_EQ(t.celle.size(), static_cast<size_t>(c.n_celle) + 1);
    EXPECT_TRUE(t.mappa.sized);
    EXPECT_EQ(t.mappa.last_index, c.length + 7000);
    EXPECT_EQ(t.mappa.points_set, 0);
    EXPECT_TRUE(t.mappa.runs.empty());
  }
}

TEST(Tables, WithoutMapModeTheMapIsNeverSized) {
  Tables t;
  ASSERT_TRUE(size_tables(t, 0));
  EXPECT_TRUE(t.celle_sized);
  EXPECT_FALSE(t.mappa.sized);
  EXPECT_EQ(t.mappa.last_index, -1);
}

TEST(Tables, ResizingClearsEveryCell) {
  Tables t;
  ASSERT_TRUE(size_tables(t, 0));
  t.celle[3].tipo = kind::kSignal;
  ASSERT_TRUE(size_tables(t, 100));
  EXPECT_EQ(t.celle[3].tipo, kind::kNothing);
  EXPECT_EQ(cell_at(t, 142), &t.celle[142]);
  EXPECT_EQ(cell_at(t, 143), nullptr);
  EXPECT_EQ(cell_at(t, -1), nullptr);
}

}  // namespace
}  // namespace scenpack
