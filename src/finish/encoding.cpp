#include "finish/encoding.h"

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
  constexpr size_t kLongestText = 0xFFFF;
  if (text.size() > kLongestText) text = text.substr(0, kLongestText);
  put_i16(out, static_cast<int16_t>(static_cast<uint16_t>(text.size())));
  out.append(text);
}

void put_cella(std::string& out, const Cella& c) {
  put_u8(out, c.tipo);
  put_i16(out, c.dato1);
  put_i16(out, c.dato2);
  put_i16(out, c.dato3);
  put_i16(out, c.dato4);
  put_u8(out, c.tempo);
  put_u8(out, c.avviso);
  put_u8(out, c.galleria);
  put_u8(out, c.dato5);
  put_u8(out, c.dato6);
  put_u8(out, c.dato7);
}

void put_scheda(std::string& out, const Scheda& s) {
  put_u8(out, s.byte1);
  put_i32(out, s.lungo1);
  put_i32(out, s.lungo2);
  put_i32(out, s.lungo3);
  put_u8(out, s.byte2);
  put_text(out, s.testo);
  for (int16_t v : {s.intero1, s.intero2, s.intero3, s.intero4, s.intero5}) put_i16(out, v);
  for (uint8_t v : {s.byte3, s.byte4, s.byte5, s.byte6}) put_u8(out, v);
  put_i32(out, s.lungo4);
}

void put_variant(std::string& out, const Variant& v) {
  std::array<char, kLongestVariant> bytes;
  out.append(bytes.data(), static_cast<size_t>(store_variant(bytes.data(), v) - bytes.data()));
}

}  // namespace scenpack
