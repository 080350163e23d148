#include "cli/lsp_command.h"

#include <cstdio>

#ifdef SCENPACK_LANGUAGE_SERVER

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "lsp/language_server.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "readers/description.h"

namespace scenpack {
namespace {

// The largest message the server takes: a description's whole text, its
// JSON escapes and the message around it.
constexpr size_t kLargestMessage = OpenDocuments::kLargestDocument + (size_t{1} << 20);

std::filesystem::path fs_path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The files beside the editor's texts, read as they are on disk.
class DiskWorkspace : public Workspace {
 public:
  std::optional<std::string> read(const std::string& path) override {
    RegularFileRead r = read_regular_file(path, kLongestDescription);
    if (!r.present || !r.status.is_ok()) return std::nullopt;
    return std::move(r.bytes);
  }

  std::vector<std::string> files_in(const std::string& folder) override {
    std::vector<std::string> out;
    std::error_code ec;
    std::filesystem::directory_iterator it(fs_path(folder.empty() ? "." : folder), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      if (!it->is_regular_file(ec)) continue;
      const std::u8string name = it->path().filename().u8string();
      out.emplace_back(name.begin(), name.end());
    }
    std::sort(out.begin(), out.end());
    return out;
  }
};

}  // namespace

int run_language_server() {
  use_binary_standard_streams();
  DiskWorkspace files;
  MessageReader in(read_standard_input, kLargestMessage);
  return serve_language(in, [](std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
  }, files);
}

}  // namespace scenpack

#else

namespace scenpack {

int run_language_server() {
  std::fputs("scenpack: this scenpack was built without its language server "
             "(nlohmann-json3-dev was missing)\n", stderr);
  return 69;  // the service is not available
}

}  // namespace scenpack

#endif
