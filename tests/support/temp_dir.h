// A scratch directory for one test, removed with everything in it.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace scenpack::testing_support {

// A path held as UTF-8 text (as the program holds every path) for the
// standard library, which on Windows would read narrow text in the ANSI
// code page.
inline std::filesystem::path fs_path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8_of(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

// The lock file a run, emit or build leaves in its directory.
inline const std::string kLockFile = ".scenpack.lock";

// The three compiled files of the program's own scenario, in the order
// names_in() sorts them.
inline const std::vector<std::string> kCompiledFiles = {"Tarvena1_84.dat", "Tarvena1_84.sim", "Tarvena1_linea.dat"};

// The names in a directory, sorted, but for the lock file.
inline std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(fs_path(dir))) {
    if (utf8_of(e.path().filename()) != kLockFile) out.push_back(utf8_of(e.path().filename()));
  }
  std::sort(out.begin(), out.end());
  return out;
}

class TempDir {
 public:
  // `prefix` names the directory (any UTF-8 text the file system allows).
  explicit TempDir(const std::string& prefix = "scenpack-test-") {
    std::random_device seed;
    std::mt19937_64 pick(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path candidate = base / fs_path(prefix + std::to_string(pick() % 1000000000));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) path_ = utf8_of(candidate);
    }
    if (path_.empty()) std::abort();
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(fs_path(path_), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(fs_path(path_), ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // The names in the directory, sorted.
  std::vector<std::string> names() const { return names_in(path_); }

 private:
  std::string path_;
};

inline std::string slurp(const std::string& path) {
  std::ifstream in(fs_path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void spit(const std::string& path, const std::string& bytes) {
  std::ofstream out(fs_path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace scenpack::testing_support
