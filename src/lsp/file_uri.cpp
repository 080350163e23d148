#include "lsp/file_uri.h"

namespace scenpack {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool is_drive(std::string_view p) {
  return p.size() >= 3 && p[0] == '/' && ((p[1] >= 'a' && p[1] <= 'z') || (p[1] >= 'A' && p[1] <= 'Z')) &&
         (p[2] == ':' || p[2] == '|');
}

// Characters a URI path keeps as they are.
bool unreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/' || c == ':';
}

}  // namespace

std::optional<std::string> path_of_file_uri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  std::string_view rest = uri.substr(kScheme.size());
  const size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  rest = rest.substr(slash);  // the authority (a host name) is dropped
  std::string path;
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      path += rest[i];
      continue;
    }
    if (i + 2 >= rest.size() || hex_value(rest[i + 1]) < 0 || hex_value(rest[i + 2]) < 0) return std::nullopt;
    path += static_cast<char>(hex_value(rest[i + 1]) * 16 + hex_value(rest[i + 2]));
    i += 2;
  }
  if (is_drive(path)) {
    path.erase(0, 1);
    path[1] = ':';
  }
  return path;
}

std::string file_uri_of_path(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  if (path.empty() || (path[0] != '/' && path[0] != '\\')) uri += '/';
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch == '\\' ? '/' : ch);
    if (unreserved(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

}  // namespace scenpack
