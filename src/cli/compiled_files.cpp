#include "cli/compiled_files.h"

#include <memory>

#include "format/decoding.h"
#include "model/file_names.h"
#include "platform/file_pieces.h"
#include "platform/file_system.h"

namespace scenpack {
namespace {

enum class FileKind { kCells, kRecords, kRouteMap };

constexpr std::string_view kMapSuffix = "_linea.dat";

size_t longest_file(FileKind k) {
  switch (k) {
    case FileKind::kCells: return kLongestCellsFile;
    case FileKind::kRecords: return kLongestRecordsFile;
    default: return kLongestRouteMapFile;
  }
}

// The whole of a small file (records, cells) from its pieces.
std::string all_of(FilePieces& file) {
  std::string bytes(static_cast<size_t>(file.size()), '\0');
  size_t at = 0;
  while (at < bytes.size()) {
    const size_t got = file.next(bytes.data() + at, bytes.size() - at);
    if (got == 0) break;
    at += got;
  }
  bytes.resize(at);
  return bytes;
}

// The points of a checked map file, walked from the file kept open.
class MapFileWalk : public MapPointsWalk {
 public:
  MapFileWalk(std::unique_ptr<FilePieces> file, std::string path, const RouteMap& outline)
      : file_(std::move(file)), path_(std::move(path)), outline_(outline) {}

  void walk(const MapPointsVisit& visit) override {
    if (fault_) return;
    const std::optional<DecodeFault> fault = walk_route_map(*file_, outline_, visit);
    if (!file_->failure().is_ok()) fault_ = LoadFault{LoadFault::Kind::kUnreadable, file_->failure().message()};
    else if (fault) fault_ = LoadFault{LoadFault::Kind::kMalformed, path_ + ": byte " + std::to_string(fault->byte) + ": " + fault->what};
  }
  std::optional<LoadFault> fault() const override { return fault_; }

 private:
  std::unique_ptr<FilePieces> file_;
  std::string path_;
  RouteMap outline_;
  std::optional<LoadFault> fault_;
};

// Reads and decodes one file into its table of `out`. A file longer than
// any build writes is refused from its size, before it is read; the route
// map is decoded piece by piece, never held whole.
std::optional<LoadFault> load_one(const std::string& path, FileKind k, bool map_points, bool map_ranges,
                                  CompiledScenario& out) {
  auto opened = std::make_unique<FilePieces>();
  FilePieces& file = *opened;
  if (Status s = file.open(path); !s.is_ok()) return LoadFault{LoadFault::Kind::kUnreadable, s.message()};
  if (file.size() > longest_file(k)) {
    return LoadFault{LoadFault::Kind::kMalformed,
                     path + ": byte " + std::to_string(longest_file(k)) + ": longer than any such file can be (" +
                         std::to_string(longest_file(k)) + " bytes)"};
  }
  std::optional<DecodeFault> fault;
  switch (k) {
    case FileKind::kCells: fault = decode_cells(all_of(file), out.celle.emplace()); break;
    case FileKind::kRecords: fault = decode_records(all_of(file), out.schede.emplace()); break;
    case FileKind::kRouteMap:
      fault = decode_route_map(file, out.mappa.emplace(), map_points, map_ranges ? &out.map_ranges : nullptr);
      break;
  }
  if (!file.failure().is_ok()) return LoadFault{LoadFault::Kind::kUnreadable, file.failure().message()};
  if (fault) {
    return LoadFault{LoadFault::Kind::kMalformed, path + ": byte " + std::to_string(fault->byte) + ": " + fault->what};
  }
  if (k == FileKind::kRouteMap && !map_points) out.map_walk = std::make_shared<MapFileWalk>(std::move(opened), path, *out.mappa);
  return std::nullopt;
}

// The last part of a path, after its last '/' (or '\\' on Windows).
std::string file_name_of(const std::string& path) {
#ifdef _WIN32
  const size_t cut = path.find_last_of("/\\");
#else
  const size_t cut = path.rfind('/');
#endif
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::optional<LoadFault> load_directory(const std::string& dir, const std::string& nome_scenario,
                                        const std::string& numero_treno, CompiledScenario& out, bool map_points,
                                        bool map_ranges) {
  const ScenarioFiles files{dir, nome_scenario, numero_treno};
  out = CompiledScenario{nome_scenario, numero_treno, {}, {}, {}, nullptr, {}};
  if (auto f = load_one(files.path(files.records()), FileKind::kRecords, map_points, map_ranges, out)) return f;
  if (auto f = load_one(files.path(files.cells()), FileKind::kCells, map_points, map_ranges, out)) return f;
  const std::string map = files.path(files.route_map());
  if (file_exists(map)) return load_one(map, FileKind::kRouteMap, map_points, map_ranges, out);
  return std::nullopt;
}

std::optional<LoadFault> load_file(const std::string& path, CompiledScenario& out, bool map_points,
                                   bool map_ranges) {
  const std::string name = file_name_of(path);
  out = CompiledScenario{};
  if (name.ends_with(kMapSuffix)) {
    out.nome_scenario = name.substr(0, name.size() - kMapSuffix.size());
    return load_one(path, FileKind::kRouteMap, map_points, map_ranges, out);
  }
  const bool records = name.ends_with(".sim");
  if (!records && !name.ends_with(".dat")) {
    return LoadFault{LoadFault::Kind::kUsage,
                     "cannot tell which file " + path + " is: its name must end in _linea.dat, .sim or .dat"};
  }
  // NAME_NUM.sim or NAME_NUM.dat: NUM after the last '_'.
  const std::string stem = name.substr(0, name.size() - 4);
  const size_t cut = stem.rfind('_');
  out.nome_scenario = cut == std::string::npos ? stem : stem.substr(0, cut);
  out.numero_treno = cut == std::string::npos ? "" : stem.substr(cut + 1);
  return load_one(path, records ? FileKind::kRecords : FileKind::kCells, map_points, map_ranges, out);
}

}  // namespace scenpack
