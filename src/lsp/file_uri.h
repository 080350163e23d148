// "file:" URIs, as the editor names its documents, and the paths they stand
// for: "file:///home/a/x%20y.txt" is "/home/a/x y.txt" and
// "file:///C:/scenari/x.txt" is "C:/scenari/x.txt".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenpack {

// The path of a file URI; none for another scheme or a bad escape.
std::optional<std::string> path_of_file_uri(std::string_view uri);

// The file URI of a path ('/' or '\\' separated, absolute).
std::string file_uri_of_path(std::string_view path);

}  // namespace scenpack
