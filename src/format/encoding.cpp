#include "format/encoding.h"

#include <array>

namespace scenpack {
namespace {

template <size_t N, typename Store, typename T>
void append_stored(std::string& out, Store store, T v) {
  std::array<char, N> bytes;
  store(bytes.data(), v);
  out.append(bytes.data(), N);
}

}  // namespace

void put_u8(std::string& out, uint8_t v) { append_stored<1>(out, store_u8, v); }
void put_i16(std::string& out, int16_t v) { append_stored<2>(out, store_i16, v); }
void put_i32(std::string& out, int32_t v) { append_stored<4>(out, store_i32, v); }
void put_f64(std::string& out, double v) { append_stored<8>(out, store_f64, v); }

void put_text(std::string& out, std::string_view text) {
  if (text.size() > kLongestText) text = text.substr(0, kLongestText);
  put_i16(out, static_cast<int16_t>(static_cast<uint16_t>(text.size())));
  out.append(text);
}

namespace {

// Appends one field of a record, whatever its width.
struct FieldAppender {
  std::string& out;
  void operator()(std::string_view, uint8_t v) const { put_u8(out, v); }
  void operator()(std::string_view, int16_t v) const { put_i16(out, v); }
  void operator()(std::string_view, int32_t v) const { put_i32(out, v); }
  void operator()(std::string_view, const std::string& v) const { put_text(out, v); }
};

// Stores one field of a cell at the cursor, whatever its width.
struct FieldStorer {
  char*& at;
  void operator()(std::string_view, uint8_t v) const { at = store_u8(at, v); }
  void operator()(std::string_view, int16_t v) const { at = store_i16(at, v); }
};

}  // namespace

void put_cella(std::string& out, const Cella& c) {
  std::array<char, kCellaBytes> bytes;
  store_cella(bytes.data(), c);
  out.append(bytes.data(), bytes.size());
}

char* store_cella(char* p, const Cella& c) {
  for_each_cella_field(c, FieldStorer{p});
  return p;
}

void put_scheda(std::string& out, const Scheda& s) { for_each_scheda_field(s, FieldAppender{out}); }

void put_variant(std::string& out, const Variant& v) {
  std::array<char, kLongestVariant> bytes;
  out.append(bytes.data(), static_cast<size_t>(store_variant(bytes.data(), v) - bytes.data()));
}

}  // namespace scenpack
