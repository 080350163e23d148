// Where the texts of a picture may go without covering one another: a
// text's box is reckoned from its characters and size (wide enough for the
// browsers' usual sans-serif faces), a new text is tried at a few places and
// takes the first whose box meets no box already taken and lies inside the
// picture's bounds. A text no place fits is left out (the picture keeps it
// in a tooltip; the page lists it in full).
#pragma once

#include <string_view>
#include <vector>

#include "view/plot_geometry.h"

namespace scenpack {

enum class Anchor { kStart, kMiddle, kEnd };

// One place for a text: its anchor point (on the baseline) and alignment.
struct TextPlace {
  double x = 0, y = 0;
  Anchor anchor = Anchor::kStart;
};

// The box a text of `size` (font size in picture units) covers at `at`.
Box text_box(std::string_view utf8, double size, const TextPlace& at);

class LabelPlaces {
 public:
  explicit LabelPlaces(const Box& bounds) : bounds_(bounds) {}

  // The first of `tries` where the text fits, taken; null when none does.
  const TextPlace* take(std::string_view utf8, double size, const std::vector<TextPlace>& tries);
  // A box that no text may cover (a title placed on its own).
  void keep_clear(const Box& b) { taken_.push_back(b); }

 private:
  bool fits(const Box& b) const;
  Box bounds_;
  std::vector<Box> taken_;
};

// The SVG name of an anchor: "start", "middle", "end".
const char* anchor_name(Anchor a);

}  // namespace scenpack
