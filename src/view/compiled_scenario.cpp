#include "view/compiled_scenario.h"

#include <filesystem>
#include <system_error>

#include "format/decoding.h"
#include "model/file_names.h"
#include "platform/file_system.h"

namespace scenpack {
namespace {

enum class FileKind { kCells, kRecords, kRouteMap };

constexpr std::string_view kMapSuffix = "_linea.dat";

bool ends_with(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

size_t longest_file(FileKind k) {
  switch (k) {
    case FileKind::kCells: return kLongestCellsFile;
    case FileKind::kRecords: return kLongestRecordsFile;
    default: return kLongestRouteMapFile;
  }
}

// Reads and decodes one file into its table of `out`. A file longer than
// any build writes is refused from its size, before it is read.
std::optional<LoadFault> load_one(const std::string& path, FileKind k, CompiledScenario& out) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > longest_file(k)) {
    return LoadFault{LoadFault::Kind::kMalformed,
                     path + ": byte " + std::to_string(longest_file(k)) + ": longer than any such file can be (" +
                         std::to_string(longest_file(k)) + " bytes)"};
  }
  std::string bytes;
  if (Status s = read_file(path, bytes); !s.is_ok()) return LoadFault{LoadFault::Kind::kUnreadable, s.message()};
  std::optional<DecodeFault> fault;
  switch (k) {
    case FileKind::kCells: fault = decode_cells(bytes, out.celle.emplace()); break;
    case FileKind::kRecords: fault = decode_records(bytes, out.schede.emplace()); break;
    case FileKind::kRouteMap: fault = decode_route_map(bytes, out.mappa.emplace()); break;
  }
  if (!fault) return std::nullopt;
  return LoadFault{LoadFault::Kind::kMalformed, path + ": byte " + std::to_string(fault->byte) + ": " + fault->what};
}

}  // namespace

std::optional<LoadFault> load_directory(const std::string& dir, const std::string& nome_scenario,
                                        const std::string& numero_treno, CompiledScenario& out) {
  const ScenarioFiles files{dir, nome_scenario, numero_treno};
  out = CompiledScenario{nome_scenario, numero_treno, {}, {}, {}};
  if (auto f = load_one(files.path(files.records()), FileKind::kRecords, out)) return f;
  if (auto f = load_one(files.path(files.cells()), FileKind::kCells, out)) return f;
  const std::string map = files.path(files.route_map());
  if (file_exists(map)) return load_one(map, FileKind::kRouteMap, out);
  return std::nullopt;
}

std::optional<LoadFault> load_file(const std::string& path, CompiledScenario& out) {
  const std::string name = std::filesystem::path(path).filename().string();
  out = CompiledScenario{};
  if (ends_with(name, kMapSuffix)) {
    out.nome_scenario = name.substr(0, name.size() - kMapSuffix.size());
    return load_one(path, FileKind::kRouteMap, out);
  }
  const bool records = ends_with(name, ".sim");
  if (!records && !ends_with(name, ".dat")) {
    return LoadFault{LoadFault::Kind::kUsage,
                     "cannot tell which file " + path + " is: its name must end in _linea.dat, .sim or .dat"};
  }
  // NAME_NUM.sim or NAME_NUM.dat: NUM after the last '_'.
  const std::string stem = name.substr(0, name.size() - 4);
  const size_t cut = stem.rfind('_');
  out.nome_scenario = cut == std::string::npos ? stem : stem.substr(0, cut);
  out.numero_treno = cut == std::string::npos ? "" : stem.substr(cut + 1);
  return load_one(path, records ? FileKind::kRecords : FileKind::kCells, out);
}

CompiledScenario compiled_from_tables(const Tables& t) {
  CompiledScenario c{t.nome_scenario, t.numero_treno, t.celle, t.schede, std::nullopt};
  return c;
}

}  // namespace scenpack
