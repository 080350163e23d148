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

// The reverse: the value whose bytes start at `p` (the caller has checked
// that they are there). The decoder reads numbers only through these.
template <typename Unsigned>
inline Unsigned load_le(const char* p) {
  static_assert(std::is_unsigned_v<Unsigned>);
  Unsigned v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, sizeof v);
  } else {
    for (size_t i = 0; i < sizeof(Unsigned); ++i) v |= static_cast<Unsigned>(static_cast<uint8_t>(p[i])) << (8 * i);
  }
  return v;
}
inline uint8_t load_u8(const char* p) { return load_le<uint8_t>(p); }
inline int16_t load_i16(const char* p) { return static_cast<int16_t>(load_le<uint16_t>(p)); }
inline int32_t load_i32(const char* p) { return static_cast<int32_t>(load_le<uint32_t>(p)); }
inline double load_f64(const char* p) { return std::bit_cast<double>(load_le<uint64_t>(p)); }

void put_u8(std::string& out, uint8_t v);
void put_i16(std::string& out, int16_t v);
void put_i32(std::string& out, int32_t v);
void put_f64(std::string& out, double v);

// A text field: 2-byte length n, then the n bytes (single-byte code page).
// The length field holds at most 65535; a longer text is cut there so that
// the length and the bytes that follow always agree.
void put_text(std::string& out, std::string_view text);
constexpr size_t kLongestText = 0xFFFF;

// The fields of a cell in file order. The encoder and the decoder both
// walk this list, so the order is written down once, and so does anything
// that shows a cell by its field names. `visit` is called with each field's
// name and the field (uint8_t or int16_t, const or not as `C`).
template <typename C, typename Visit>
void for_each_cella_field(C& c, Visit&& visit) {
  visit("tipo", c.tipo);
  visit("dato1", c.dato1);
  visit("dato2", c.dato2);
  visit("dato3", c.dato3);
  visit("dato4", c.dato4);
  visit("tempo", c.tempo);
  visit("avviso", c.avviso);
  visit("galleria", c.galleria);
  visit("dato5", c.dato5);
  visit("dato6", c.dato6);
  visit("dato7", c.dato7);
}

// The fields of a record in file order, name and field (uint8_t, int32_t,
// std::string for `testo`, int16_t), for the encoder and the decoder alike.
template <typename S, typename Visit>
void for_each_scheda_field(S& s, Visit&& visit) {
  visit("byte1", s.byte1);
  visit("lungo1", s.lungo1);
  visit("lungo2", s.lungo2);
  visit("lungo3", s.lungo3);
  visit("byte2", s.byte2);
  visit("testo", s.testo);
  visit("intero1", s.intero1);
  visit("intero2", s.intero2);
  visit("intero3", s.intero3);
  visit("intero4", s.intero4);
  visit("intero5", s.intero5);
  visit("byte3", s.byte3);
  visit("byte4", s.byte4);
  visit("byte5", s.byte5);
  visit("byte6", s.byte6);
  visit("lungo4", s.lungo4);
}

// One track cell: 15 bytes (see docs/formats.md), appended, or stored at
// `p` (returns the position after it) by a writer that fills a buffer of
// many cells in place.
constexpr size_t kCellaBytes = 15;
void put_cella(std::string& out, const Cella& c);
char* store_cella(char* p, const Cella& c);

// One record: 34 bytes plus the length of its text.
constexpr size_t kSchedaFixedBytes = 34;
void put_scheda(std::string& out, const Scheda& s);

// The values a route-map element can hold: Empty, Integer or Double.
using Variant = std::variant<std::monostate, int16_t, double>;

// Variant type tags as stored in front of each element's value.
namespace variant_tag {
constexpr int16_t kEmpty = 0;
constexpr int16_t kInteger = 2;
constexpr int16_t kLong = 3;    // never in a route map
constexpr int16_t kSingle = 4;  // never in a route map
constexpr int16_t kDouble = 5;
constexpr int16_t kString = 8;  // never in a route map
}  // namespace variant_tag

// 2-byte tag, then the value: nothing (Empty), 2 bytes (Integer), 8 (Double).
void put_variant(std::string& out, const Variant& v);

// Each kind of element stored at `p`, for writers that know the kind, and
// the bytes each takes.
constexpr size_t kEmptyVariantBytes = 2;
constexpr size_t kIntegerVariantBytes = 4;
constexpr size_t kDoubleVariantBytes = 10;
inline char* store_empty_variant(char* p) { return store_i16(p, variant_tag::kEmpty); }
inline char* store_integer_variant(char* p, int16_t v) { return store_i16(store_i16(p, variant_tag::kInteger), v); }
inline char* store_double_variant(char* p, double v) { return store_f64(store_i16(p, variant_tag::kDouble), v); }

// The same bytes stored at `p` (room for kLongestVariant bytes needed).
constexpr size_t kLongestVariant = 10;
inline char* store_variant(char* p, const Variant& v) {
  if (const auto* i = std::get_if<int16_t>(&v)) return store_integer_variant(p, *i);
  if (const auto* d = std::get_if<double>(&v)) return store_double_variant(p, *d);
  return store_empty_variant(p);
}

}  // namespace scenpack
