#include "view/label_places.h"

namespace scenpack {
namespace {

// Widths in em of the characters of a sans-serif face, rounded up: capitals
// and digits wider than small letters, a blank narrow.
double char_width(unsigned char c) {
  if (c == ' ') return 0.34;
  if (c >= 'A' && c <= 'Z') return c == 'M' || c == 'W' ? 0.95 : 0.76;
  if (c >= '0' && c <= '9') return 0.66;
  if (c >= 'a' && c <= 'z') return c == 'm' || c == 'w' ? 0.92 : 0.62;
  if (c == '.' || c == ',' || c == ':' || c == '\'' || c == '|' || c == '`') return 0.36;
  return 0.7;
}

constexpr double kPadding = 1.5;  // around each box, in picture units

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

}  // namespace

Box text_box(std::string_view utf8, double size, const TextPlace& at) {
  double ems = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: its character is counted once
    ems += char_width(c);
  }
  const double width = ems * size;
  double left = at.x;
  if (at.anchor == Anchor::kMiddle) left -= width / 2;
  if (at.anchor == Anchor::kEnd) left -= width;
  const double top = at.y - 0.95 * size;
  return {left - kPadding, top - kPadding, width + 2 * kPadding, 1.25 * size + 2 * kPadding};
}

bool LabelPlaces::fits(const Box& b) const {
  if (b.left < bounds_.left || b.top < bounds_.top || b.right() > bounds_.right() || b.bottom() > bounds_.bottom()) {
    return false;
  }
  for (const Box& t : taken_) {
    if (overlap(t, b)) return false;
  }
  return true;
}

const TextPlace* LabelPlaces::take(std::string_view utf8, double size, const std::vector<TextPlace>& tries) {
  for (const TextPlace& p : tries) {
    const Box b = text_box(utf8, size, p);
    if (fits(b)) {
      taken_.push_back(b);
      return &p;
    }
  }
  return nullptr;
}

const char* anchor_name(Anchor a) {
  switch (a) {
    case Anchor::kMiddle: return "middle";
    case Anchor::kEnd: return "end";
    default: return "start";
  }
}

}  // namespace scenpack
