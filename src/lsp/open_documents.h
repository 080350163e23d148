// The texts the editor has open, as it last sent them: the whole text on
// opening, then changes (a range and its new text, or a whole new text).
// Every document and the sum of their sizes are bounded, so that no
// sequence of changes grows the server without end.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "lsp/editor_text.h"

namespace scenpack {

struct TextChange {
  std::optional<EditorPosition> start;  // none: `text` replaces the whole text
  EditorPosition end;
  std::string text;
};

class OpenDocuments {
 public:
  static constexpr size_t kLargestDocument = size_t{48} << 20;

  // False (and nothing kept) when the text is above the limit.
  bool open(const std::string& uri, std::string text);
  // False when the document is not open or the change would take it above
  // the limit; the text is then left as it was.
  bool change(const std::string& uri, const TextChange& c);
  void close(const std::string& uri) { texts_.erase(uri); }

  // The document's UTF-8 text, or null when it is not open.
  const std::string* text(const std::string& uri) const;
  const std::map<std::string, std::string>& all() const { return texts_; }

 private:
  std::map<std::string, std::string> texts_;
};

}  // namespace scenpack
