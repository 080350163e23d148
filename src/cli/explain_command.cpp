#include "cli/explain_command.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "base/edit_distance.h"
#include "cli/help_text.h"
#include "model/errors.h"
#include "model/fault_guide.h"
#include "model/warning_kinds.h"

namespace scenpack {
namespace {

constexpr size_t kTextColumn = 16;
constexpr int32_t kHighestCode = 9999;

std::vector<int32_t> fault_codes() {
  std::vector<int32_t> codes;
  for (int32_t code = 1; code <= kHighestCode; ++code) {
    if (!explanation(code).empty()) codes.push_back(code);
  }
  return codes;
}

// "1 to 13, 15 to 22, 24, 25, 101 to 103, 1250 and 1251": runs of
// consecutive codes.
std::string code_list() {
  const std::vector<int32_t> codes = fault_codes();
  std::vector<std::string> runs;
  for (size_t i = 0; i < codes.size();) {
    size_t j = i;
    while (j + 1 < codes.size() && codes[j + 1] == codes[j] + 1) ++j;
    if (j >= i + 2) {
      runs.push_back(std::to_string(codes[i]) + " to " + std::to_string(codes[j]));
    } else {
      for (size_t k = i; k <= j; ++k) runs.push_back(std::to_string(codes[k]));
    }
    i = j + 1;
  }
  std::string out;
  for (size_t i = 0; i < runs.size(); ++i) {
    out += i == 0 ? "" : i + 1 == runs.size() ? " and " : ", ";
    out += runs[i];
  }
  return out;
}

std::optional<int32_t> code_in(std::string_view what) {
  if (what.empty() || what.size() > 4) return std::nullopt;
  int32_t code = 0;
  for (char c : what) {
    if (c < '0' || c > '9') return std::nullopt;
    code = code * 10 + (c - '0');
  }
  return code;
}

std::string explain_fault(int32_t code) {
  const FaultCode c = static_cast<FaultCode>(code);
  const FaultGuide g = fault_guide(c);
  std::string out;
  append_filled(out, "", "Errore n. " + std::to_string(code) + ": " + std::string(fault_kind(c).explanation), 0);
  out += "\n";
  append_row(out, "Meaning:", g.meaning, kTextColumn);
  append_row(out, "Given by:", g.given_by, kTextColumn);
  append_row(out, "How to fix:", g.fix, kTextColumn);
  if (fault_kind(c).sets_position) {
    append_row(out, "Position:", "the message names the position this fault sets (posizione P)", kTextColumn);
  }
  return out;
}

std::string explain_warning(WarningName w) {
  const WarningKind k = warning_kind(w);
  const std::string name(k.name);
  std::string out;
  append_filled(out, "", "warning -W" + name + ": " + std::string(k.summary), 0);
  out += "\n";
  append_row(out, "Meaning:", k.explanation, kTextColumn);
  append_row(out, "Cause:", k.cause, kTextColumn);
  append_row(out, "How to fix:", k.fix, kTextColumn);
  append_row(out, "Silenced by:", "-Wno-" + name + " (or -w, every warning) in check and build", kTextColumn);
  return out;
}

// The warning's name without the "-W" or "-Wno-" it may be written with.
std::string_view bare_warning_name(std::string_view what) {
  for (std::string_view prefix : {"-Wno-", "-W"}) {
    if (what.substr(0, prefix.size()) == prefix) return what.substr(prefix.size());
  }
  return what;
}

// The warning name nearest to `name`: one edit from a name of up to five
// letters, two from a longer one; none when nothing is that near.
std::optional<std::string_view> nearest_warning(std::string_view name) {
  constexpr size_t kShortName = 5;
  const size_t allowed = name.size() <= kShortName ? 1 : 2;
  std::optional<std::string_view> best;
  size_t best_distance = allowed + 1;
  for (WarningName w : kAllWarnings) {
    const std::string_view candidate = warning_kind(w).name;
    const size_t d = edit_distance(name, candidate);
    if (d < best_distance) best_distance = d, best = candidate;
  }
  return best;
}

}  // namespace

Explanation explain(std::string_view what) {
  if (const std::optional<int32_t> code = code_in(what)) {
    if (*code != 0 && !explanation(*code).empty()) return {explain_fault(*code), ""};
    return {"", "no fault code " + std::string(what) + "; the codes are " + code_list()};
  }
  const std::string_view name = bare_warning_name(what);
  if (const std::optional<WarningName> w = warning_named(name)) return {explain_warning(*w), ""};
  std::string error = std::string("'").append(what) + "' is neither a fault code nor a warning's name";
  if (const std::optional<std::string_view> near = nearest_warning(name)) {
    error.append("; did you mean '").append(*near).append("'?");
  }
  return {"", error};
}

}  // namespace scenpack
