// The byte format of the compiled scenario files, in one place.
//
// Fixed-length numbers are written least-significant byte first: a Byte is 1
// unsigned byte, an Integer 2 bytes two's complement, a Long 4 bytes two's
// complement, a Double the 8 bytes of its IEEE 754 binary64 image. Records
// are written field by field in declaration order with no padding, and
// nothing else in the program shifts bytes. Every function appends to `out`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "driver/tables.h"

namespace scenpack {

void put_u8(std::string& out, uint8_t v);
void put_i16(std::string& out, int16_t v);
void put_i32(std::string& out, int32_t v);
void put_f64(std::string& out, double v);

// A text field: 2-byte length n, then the n bytes (single-byte code page).
// The length field holds at most 65535; a longer text is cut there so that
// the length and the bytes that follow always agree.
void put_text(std::string& out, std::string_view text);

// One track cell: 15 bytes (see docs/formats.md).
constexpr size_t kCellaBytes = 15;
void put_cella(std::string& out, const Cella& c);

// One record: 34 bytes plus the length of its text.
constexpr size_t kSchedaFixedBytes = 34;
void put_scheda(std::string& out, const Scheda& s);

// The values a route-map element can hold: Empty, Integer or Double.
using Variant = std::variant<std::monostate, int16_t, double>;

// Variant type tags as stored in front of each element's value.
namespace variant_tag {
constexpr int16_t kEmpty = 0;
constexpr int16_t kInteger = 2;
constexpr int16_t kDouble = 5;
}  // namespace variant_tag

// 2-byte tag, then the value: nothing (Empty), 2 bytes (Integer), 8 (Double).
void put_variant(std::string& out, const Variant& v);

}  // namespace scenpack
