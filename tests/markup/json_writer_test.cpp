#include "markup/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace scenpack {
namespace {

TEST(JsonWriter, NestsObjectsAndArraysWithCommasInPlace) {
  JsonWriter w;
  w.begin_object()
      .key("name").value("a\"b")
      .key("cells").begin_array().value(1).value(int64_t{-2}).begin_object().end_object().end_array()
      .key("ok").value(true)
      .key("none").null()
      .end_object();
  EXPECT_EQ(w.text(), R"({"name": "a\"b", "cells": [1, -2, {}], "ok": true, "none": null})");
}

TEST(JsonWriter, PrettyPutsEachMemberOnItsOwnLineAndHandsOnPieces) {
  JsonWriter w(true);
  w.begin_object().key("cells").begin_array().value(1).begin_object().key("a").value(2).end_object();
  std::string taken = w.take_text();
  w.begin_array().end_array().end_array().key("none").null().end_object();
  EXPECT_EQ(taken + w.take_text(),
            "{\n"
            "  \"cells\": [\n"
            "    1,\n"
            "    {\n"
            "      \"a\": 2\n"
            "    },\n"
            "    []\n"
            "  ],\n"
            "  \"none\": null\n"
            "}");
  EXPECT_EQ(w.text(), "");
}

TEST(JsonWriter, NumbersReadBackExactlyAndNonFiniteOnesAreNull) {
  JsonWriter w;
  w.begin_array()
      .value(0.1)
      .value(-0.0)
      .value(1e300)
      .value(2.0)
      .value(std::numeric_limits<double>::quiet_NaN())
      .value(-std::numeric_limits<double>::infinity())
      .end_array();
  EXPECT_EQ(w.text(), "[0.1, -0, 1e+300, 2, null, null]");
  EXPECT_EQ(std::stod(shortest_number(0.30000000000000004)), 0.30000000000000004);
}

// Misused, the writer still writes every bracket and never reads outside
// its levels.
TEST(JsonWriter, AnEndWithoutItsBeginWritesItsBracketAndNothingElse) {
  JsonWriter w;
  w.end_object().end_array().begin_array().value(1).end_array().end_array().value(2);
  EXPECT_EQ(w.text(), "}][1]]2");
}

}  // namespace
}  // namespace scenpack
