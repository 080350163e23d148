#include "cli/report.h"

#include "markup/escape.h"
#include "platform/file_system.h"

namespace scenpack {
namespace {

std::string json_list(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ", ";
    out += json_string(items[i]);
  }
  return out + "]";
}

}  // namespace

std::string report_json(const RunReport& r) {
  const std::string file = r.error_state.where ? r.error_state.where->file : "";
  const int line = r.error_state.where ? r.error_state.where->line : 0;
  const int column = r.error_state.where ? r.error_state.where->column : 0;
  return "{\"exit_status\": " + std::to_string(r.exit_status) +
         ", \"codice_errore\": " + std::to_string(r.error_state.codice_errore) +
         ", \"posizione_errore\": " + std::to_string(r.error_state.posizione_errore) +
         ", \"file\": " + json_string(file) + ", \"line\": " + std::to_string(line) +
         ", \"column\": " + std::to_string(column) +
         ", \"message\": " + json_string(r.message) + ", \"dir\": " + json_string(r.dir) +
         ", \"files\": " + json_list(r.files) + ", \"texts\": " + json_list(r.texts) + "}\n";
}

Status write_report(const std::string& path, const RunReport& r) {
  return write_to_target(path, report_json(r));
}

std::string run_file_under_report(const std::string& report_path, const std::vector<std::string>& run_files) {
  for (const std::string& file : run_files) {
    if (same_file(report_path, file)) return file;
  }
  return "";
}

}  // namespace scenpack
