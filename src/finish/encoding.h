// The byte format of the compiled scenario files, in one place.
//
// Fixed-length numbers are written least-significant byte first: a Byte is 1
// unsigned byte, an Integer 2 bytes two's complement, a Long 4 bytes two's
// complement, a Double the 8 bytes of its IEEE 754 binary64 image. Records
// are written field by field in declaration order with no padding, and
// nothing else in the program shifts bytes. Every function appends to `out`.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <string>
#include <string_view>
#include <variant>

#include "model/tables.h"

namespace scenpack {

// Stores at `p` and returns the position after the value. These are the
// only functions that order bytes; the appenders below are built on them,
// and a writer that fills a buffer in place (the route map, millions of
// values) uses them directly.
template <typename Unsigned>
inline char* store_le(char* p, Unsigned v) {
  static_assert(std::is_unsigned_v<Unsigned>);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);  // already in file order
    return p + sizeof v;
  } else {
    for (size_t i = 0; i < sizeof(Unsigned); ++i) *p++ = static_cast<char>(static_cast<uint8_t>(v >> (8 * i)));
    return p;
  }
}
inline char* store_u8(char* p, uint8_t v) { return store_le(p, v); }
inline char* store_i16(char* p, int16_t v) { return store_le(p, static_cast<uint16_t>(v)); }
inline char* store_i32(char* p, int32_t v) { return store_le(p, static_cast<uint32_t>(v)); }
inline char* store_f64(char* p, double v) { return store_le(p, std::bit_cast<uint64_t>(v)); }

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

// The same bytes stored at `p` (room for kLongestVariant bytes needed).
constexpr size_t kLongestVariant = 10;
inline char* store_variant(char* p, const Variant& v) {
  if (const auto* i = std::get_if<int16_t>(&v)) return store_i16(store_i16(p, variant_tag::kInteger), *i);
  if (const auto* d = std::get_if<double>(&v)) return store_f64(store_i16(p, variant_tag::kDouble), *d);
  return store_i16(p, variant_tag::kEmpty);
}

}  // namespace scenpack
