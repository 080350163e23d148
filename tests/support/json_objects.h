// A strict reader of one JSON array of objects (string and integer values,
// and objects and arrays of objects, kept as their text), enough to prove
// that a listing parses and to look at its fields.
#pragma once

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenpack::testing_support {

using JsonObject = std::map<std::string, std::string>;  // integers kept as their digits

class JsonArrayReader {
 public:
  explicit JsonArrayReader(std::string_view text) : s_(text) {}

  // The objects, or nothing when the text is not exactly such an array.
  std::optional<std::vector<JsonObject>> read() {
    std::vector<JsonObject> out;
    if (!take('[')) return std::nullopt;
    if (!take(']')) {
      do {
        std::optional<JsonObject> o = object();
        if (!o) return std::nullopt;
        out.push_back(*o);
      } while (take(','));
      if (!take(']')) return std::nullopt;
    }
    blanks();
    if (i_ != s_.size()) return std::nullopt;
    return out;
  }

 private:
  void blanks() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  bool take(char c) {
    blanks();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  std::optional<std::string> string() {
    if (!take('"')) return std::nullopt;
    std::string v;
    while (i_ < s_.size() && s_[i_] != '"') {
      const unsigned char c = static_cast<unsigned char>(s_[i_++]);
      if (c < 0x20) return std::nullopt;
      if (c != '\\') {
        v += static_cast<char>(c);
        continue;
      }
      if (i_ >= s_.size()) return std::nullopt;
      const char e = s_[i_++];
      if (e == 'u') {
        if (i_ + 4 > s_.size()) return std::nullopt;
        for (size_t k = 0; k < 4; ++k) {
          if (!std::isxdigit(static_cast<unsigned char>(s_[i_ + k]))) return std::nullopt;
        }
        v += "\\u" + std::string(s_.substr(i_, 4));
        i_ += 4;
      } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos) {
        v += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
      } else {
        return std::nullopt;
      }
    }
    if (i_ >= s_.size()) return std::nullopt;
    ++i_;
    return v;
  }
  std::optional<std::string> integer() {
    blanks();
    const size_t start = i_;
    if (i_ < s_.size() && s_[i_] == '-') ++i_;
    while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
    if (i_ == start || (i_ == start + 1 && s_[start] == '-')) return std::nullopt;
    return std::string(s_.substr(start, i_ - start));
  }
  std::optional<JsonObject> object() {
    JsonObject o;
    if (!take('{')) return std::nullopt;
    if (take('}')) return o;
    do {
      std::optional<std::string> key = string();
      if (!key || !take(':')) return std::nullopt;
      std::optional<std::string> value = any_value();
      if (!value || o.count(*key)) return std::nullopt;
      o[*key] = *value;
    } while (take(','));
    if (!take('}')) return std::nullopt;
    return o;
  }

  // A string's or integer's value; an object's or array's text.
  std::optional<std::string> any_value() {
    blanks();
    if (i_ >= s_.size()) return std::nullopt;
    const size_t start = i_;
    if (s_[i_] == '"') return string();
    if (s_[i_] == '{') {
      if (!object()) return std::nullopt;
    } else if (take('[')) {
      if (!take(']')) {
        do {
          if (!object()) return std::nullopt;
        } while (take(','));
        if (!take(']')) return std::nullopt;
      }
    } else {
      return integer();
    }
    return std::string(s_.substr(start, i_ - start));
  }

  std::string_view s_;
  size_t i_ = 0;
};

}  // namespace scenpack::testing_support
