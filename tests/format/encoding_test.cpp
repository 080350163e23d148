#include "format/encoding.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

// Bytes as a readable hex string: "01 ff".
std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

template <typename F>
std::string encoded(F put) {
  std::string out;
  put(out);
  return out;
}

TEST(Encoding, NumbersAreLittleEndian) {
  EXPECT_EQ(hex(encoded([](auto& o) { put_u8(o, 0xAB); })), "ab");
  EXPECT_EQ(hex(encoded([](auto& o) { put_i16(o, 5121); })), "01 14");
  EXPECT_EQ(hex(encoded([](auto& o) { put_i16(o, -2); })), "fe ff");
  EXPECT_EQ(hex(encoded([](auto& o) { put_i32(o, 0x01020304); })), "04 03 02 01");
  EXPECT_EQ(hex(encoded([](auto& o) { put_i32(o, -82875); })), "45 bc fe ff");
  EXPECT_EQ(hex(encoded([](auto& o) { put_f64(o, 1.0); })), "00 00 00 00 00 00 f0 3f");
  EXPECT_EQ(hex(encoded([](auto& o) { put_f64(o, -0.1); })), "9a 99 99 99 99 99 b9 bf");
}

TEST(Encoding, CellIsFifteenPackedBytesInFieldOrder) {
  Cella c;
  c.tipo = 12;
  c.dato1 = 5121;
  c.dato2 = -1;
  c.dato3 = 0x0302;
  c.dato4 = 0x0504;
  c.tempo = 6;
  c.avviso = 7;
  c.galleria = 8;
  c.dato5 = 9;
  c.dato6 = 100;
  c.dato7 = 255;
  std::string out = encoded([&](auto& o) { put_cella(o, c); });
  ASSERT_EQ(out.size(), kCellaBytes);
  EXPECT_EQ(hex(out), "0c 01 14 ff ff 02 03 04 05 06 07 08 09 64 ff");
  EXPECT_EQ(encoded([](auto& o) { put_cella(o, Cella{}); }), std::string(15, '\0'));
}

TEST(Encoding, RecordWithTextCarriesItsLengthAtOffsetFourteen) {
  Scheda s;
  s.byte1 = 1;
  s.lungo1 = 0x11121314;
  s.lungo2 = -1;
  s.lungo3 = 3;
  s.byte2 = 2;
  s.testo = "84";
  s.intero1 = 610;
  s.intero5 = -3;
  s.byte3 = 3;
  s.byte6 = 6;
  s.lungo4 = 70000;
  std::string out = encoded([&](auto& o) { put_scheda(o, s); });
  ASSERT_EQ(out.size(), 36u);
  EXPECT_EQ(hex(out),
            "01 14 13 12 11 ff ff ff ff 03 00 00 00 02 "  // byte1 lungo1..3 byte2
            "02 00 38 34 "                                 // length 2, "84"
            "62 02 00 00 00 00 00 00 fd ff "               // intero1..5
            "03 00 00 06 "                                 // byte3..6
            "70 11 01 00");                                // lungo4
}

TEST(Encoding, RecordWithoutTextIsThirtyFourBytes) {
  std::string out = encoded([](auto& o) { put_scheda(o, Scheda{}); });
  EXPECT_EQ(out, std::string(kSchedaFixedBytes, '\0'));
}

TEST(Encoding, TextLongerThanItsLengthFieldIsCutToAgree) {
  std::string text(70000, 'a');
  std::string out = encoded([&](auto& o) { put_text(o, text); });
  ASSERT_EQ(out.size(), 2u + 65535u);
  EXPECT_EQ(hex(out.substr(0, 2)), "ff ff");
}

TEST(Encoding, VariantTagThenValue) {
  struct Case {
    Variant v;
    const char* want;
  } cases[] = {
      {std::monostate{}, "00 00"},
      {int16_t{1}, "02 00 01 00"},
      {int16_t{-1}, "02 00 ff ff"},
      {2.5, "05 00 00 00 00 00 00 00 04 40"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hex(encoded([&](auto& o) { put_variant(o, c.v); })), c.want);
  }
}

}  // namespace
}  // namespace scenpack
