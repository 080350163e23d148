// A small writer of XML elements, for SVG pictures and HTML pages: elements
// opened and closed in order, attributes and text escaped by markup/escape.h.
// It knows nothing of what it draws.
//
//   XmlWriter w;
//   w.open("svg", {{"viewBox", "0 0 10 10"}}).leaf("circle", {{"r", "2"}}).close();
//   w.text()  ->  <svg viewBox="0 0 10 10"><circle r="2"/></svg>
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scenpack {

using XmlAttribute = std::pair<std::string_view, std::string>;

class XmlWriter {
 public:
  XmlWriter& open(std::string_view name, std::initializer_list<XmlAttribute> attributes = {});
  XmlWriter& close();  // closes the innermost open element
  // An element without content: <name a="v"/>.
  XmlWriter& leaf(std::string_view name, std::initializer_list<XmlAttribute> attributes = {});
  // An element holding only text: <name a="v">text</name>.
  XmlWriter& element(std::string_view name, std::string_view content,
                     std::initializer_list<XmlAttribute> attributes = {});
  XmlWriter& content(std::string_view text);  // escaped
  XmlWriter& raw(std::string_view markup);    // already markup (a doctype, a nested document)
  XmlWriter& newline() { return raw("\n"); }

  // Room for `bytes` of text set aside at once: a large document then
  // grows in place, each byte written once, instead of being copied into
  // fresh memory at every doubling (memory set aside and not written costs
  // nothing).
  void reserve(size_t bytes) { out_.reserve(bytes); }
  const std::string& text() const { return out_; }
  // The text written, handed over whole; the writer is left empty.
  std::string take_text() { return std::exchange(out_, std::string()); }

 private:
  void start_tag(std::string_view name, std::initializer_list<XmlAttribute> attributes);
  std::string out_;
  std::vector<std::string> open_;
};

// A coordinate or length for an attribute: at most `decimals` decimals,
// trailing zeros dropped ("12.5", "3", "-0.25").
std::string svg_number(double v, int decimals = 1);

}  // namespace scenpack
