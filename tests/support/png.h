// Reads an 8-bit RGB or RGBA PNG (what a browser's screenshot is) into RGB
// pixels, for the tests that look at a rendered picture. Needs zlib.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace scenpack::testing_support {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

struct Image {
  uint32_t width = 0, height = 0;
  std::vector<Rgb> pixels;  // row by row
  const Rgb& at(uint32_t x, uint32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline uint32_t be32(const std::string& s, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 24 | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 8 | static_cast<uint8_t>(s[at + 3]);
}

inline int paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Empty when the file is not an 8-bit, non-interlaced RGB or RGBA PNG.
inline std::optional<Image> read_png(const std::string& file) {
  if (file.size() < 33 || file.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return std::nullopt;
  Image img;
  int channels = 0;
  std::string packed;
  for (size_t at = 8; at + 12 <= file.size();) {
    const uint32_t length = be32(file, at);
    const std::string type = file.substr(at + 4, 4);
    if (at + 12 + length > file.size()) return std::nullopt;
    if (type == "IHDR") {
      img.width = be32(file, at + 8);
      img.height = be32(file, at + 12);
      const int depth = static_cast<uint8_t>(file[at + 16]), colour = static_cast<uint8_t>(file[at + 17]);
      if (depth != 8 || (colour != 2 && colour != 6) || file[at + 20] != 0) return std::nullopt;
      channels = colour == 2 ? 3 : 4;
    } else if (type == "IDAT") {
      packed.append(file, at + 8, length);
    }
    at += 12 + length;
  }
  if (channels == 0 || img.width == 0 || img.height == 0 || img.width > 10000 || img.height > 10000) return std::nullopt;
  const size_t stride = static_cast<size_t>(img.width) * channels;
  std::vector<uint8_t> raw((stride + 1) * img.height);
  uLongf raw_size = raw.size();
  if (uncompress(raw.data(), &raw_size, reinterpret_cast<const Bytef*>(packed.data()), packed.size()) != Z_OK ||
      raw_size != raw.size()) {
    return std::nullopt;
  }
  std::vector<uint8_t> previous(stride, 0), row(stride);
  img.pixels.resize(static_cast<size_t>(img.width) * img.height);
  for (uint32_t y = 0; y < img.height; ++y) {
    const uint8_t* line = raw.data() + y * (stride + 1);
    const int filter = line[0];
    for (size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<size_t>(channels) ? row[i - channels] : 0;
      const int b = previous[i];
      const int c = i >= static_cast<size_t>(channels) ? previous[i - channels] : 0;
      int v = line[1 + i];
      switch (filter) {
        case 1: v += a; break;
        case 2: v += b; break;
        case 3: v += (a + b) / 2; break;
        case 4: v += paeth(a, b, c); break;
        default: break;
      }
      row[i] = static_cast<uint8_t>(v);
    }
    for (uint32_t x = 0; x < img.width; ++x) {
      const uint8_t* p = row.data() + static_cast<size_t>(x) * channels;
      img.pixels[static_cast<size_t>(y) * img.width + x] = {p[0], p[1], p[2]};
    }
    previous.swap(row);
  }
  return img;
}

}  // namespace scenpack::testing_support
