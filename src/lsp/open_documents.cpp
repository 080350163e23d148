#include "lsp/open_documents.h"

#include <algorithm>

namespace scenpack {

bool OpenDocuments::open(const std::string& uri, std::string text) {
  if (text.size() > kLargestDocument) return false;
  texts_[uri] = std::move(text);
  return true;
}

bool OpenDocuments::change(const std::string& uri, const TextChange& c) {
  const auto found = texts_.find(uri);
  if (found == texts_.end()) return false;
  std::string& text = found->second;
  if (!c.start) {
    if (c.text.size() > kLargestDocument) return false;
    text = c.text;
    return true;
  }
  size_t from = utf8_offset(text, *c.start);
  size_t to = utf8_offset(text, c.end);
  if (to < from) std::swap(from, to);
  if (text.size() - (to - from) + c.text.size() > kLargestDocument) return false;
  text.replace(from, to - from, c.text);
  return true;
}

const std::string* OpenDocuments::text(const std::string& uri) const {
  const auto found = texts_.find(uri);
  return found == texts_.end() ? nullptr : &found->second;
}

}  // namespace scenpack
