#include "markup/xml_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace scenpack {
namespace {

TEST(XmlWriter, NestsElementsAndEscapesAttributesAndText) {
  XmlWriter w;
  w.open("svg", {{"viewBox", "0 0 10 10"}})
      .leaf("circle", {{"r", "2"}, {"title", "a<b & \"c\""}})
      .element("text", "P.C. CITTA` <DELLA> PIEVE", {{"x", "1"}})
      .open("g")
      .content("x & y")
      .close()
      .close();
  EXPECT_EQ(w.text(),
            "<svg viewBox=\"0 0 10 10\"><circle r=\"2\" title=\"a&lt;b &amp; &quot;c&quot;\"/>"
            "<text x=\"1\">P.C. CITTA` &lt;DELLA&gt; PIEVE</text><g>x &amp; y</g></svg>");
}

TEST(XmlWriter, NumbersAreShortAndNeverNegativeZero) {
  EXPECT_EQ(svg_number(12.5), "12.5");
  EXPECT_EQ(svg_number(3.0), "3");
  EXPECT_EQ(svg_number(-0.04), "0");
  EXPECT_EQ(svg_number(-0.25, 2), "-0.25");
  EXPECT_EQ(svg_number(1.0 / 0.0), "0");
  // Numbers are written whole, however long.
  EXPECT_EQ(svg_number(1e300).size(), 301u);
  EXPECT_EQ(std::stod(svg_number(1e300)), 1e300);
  EXPECT_EQ(svg_number(-123456789012345678901234567890.0, 0).substr(0, 11), "-1234567890");
  EXPECT_EQ(svg_number(-123456789012345678901234567890.0, 0).size(), 31u);
}

// The digits are worked out in integers for the numbers of a picture and
// come from std::to_chars for the rest; pictures written before keep their
// bytes only if both round as printf's "%.*f" did, ties (0.25, 2.5) and
// binary values just off a tie (0.15) included, at every magnitude.
TEST(XmlWriter, NumbersRoundAsPrintfDoes) {
  const auto expect_as_printf = [](double v, int decimals) {
    char printed[512];
    std::snprintf(printed, sizeof printed, "%.*f", decimals, v);
    std::string expected = printed;
    if (expected.find('.') != std::string::npos) {
      while (expected.back() == '0') expected.pop_back();
      if (expected.back() == '.') expected.pop_back();
    }
    if (expected == "-0") expected = "0";
    EXPECT_EQ(svg_number(v, decimals), expected) << v << " with " << decimals << " decimals";
  };
  std::vector<double> values = {0.05, 0.15, 0.25, 0.35, 2.5, 3.5, -2.5, 0.0625, 1.0005, 999.95, 1234.5678, -0.45,
                                1e15 + 0.5, 123456.789012, 0.1 + 0.2, 0.0005, 0.00049, 4503599627370495.5,
                                4503599627370496.0, 9007199254740993.0, std::ldexp(1.0, -10), std::ldexp(1.0, -11),
                                std::ldexp(3.0, -12), 5e-324, 1e-300};
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> picture(-2000, 2000);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(picture(random));
    values.push_back(std::ldexp(picture(random), static_cast<int>(random() % 80) - 40));
    values.push_back(static_cast<double>(random() % 100000) / 8);  // ties at every decimal
  }
  for (double v : values) {
    for (int decimals : {0, 1, 2, 3}) expect_as_printf(v, decimals);
  }
}

}  // namespace
}  // namespace scenpack
