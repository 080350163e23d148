#include "readers/unread_records.h"

#include <cstddef>
#include <vector>

#include "readers/field_reader.h"
#include "readers/general_data.h"

namespace scenpack {
namespace {

struct Noun {
  std::string_view one;
  std::string_view many;
};

// What an author calls a record of the kind: body records by their kind,
// the general section's together.
Noun noun_of(const RecordInfo& r) {
  struct Named {
    std::string_view key_start;
    Noun noun;
  };
  static constexpr Named kNouns[] = {
      {"pendenza", {"gradient", "gradients"}},       {"curva", {"curve", "curves"}},
      {"indicatori_v", {"speed board", "speed boards"}}, {"montagna", {"tunnel", "tunnels"}},
      {"cartello", {"text board", "text boards"}},   {"aderenza", {"adhesion line", "adhesion lines"}},
      {"velocit", {"speed limit", "speed limits"}},  {"stazione", {"station", "stations"}},
      {"segnale", {"signal", "signals"}},            {"abbattimento", {"code cut", "code cuts"}},
      {"rallentamento", {"slow order", "slow orders"}},
  };
  for (const Named& n : kNouns) {
    if (r.key.substr(0, n.key_start.size()) == n.key_start) return n.noun;
  }
  return {"general record", "general records"};
}

// The first field of a line: up to its first comma.
std::string_view keyword_field(std::string_view line) { return line.substr(0, line.find(',')); }

// Calls `each` with every line after line `after` (a line ends at LF or at
// a CR not followed by LF).
template <typename Each>
void for_lines_after(std::string_view text, int after, const Each& each) {
  int number = 1;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size() || text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    if (!end) continue;
    std::string_view line = text.substr(start, i - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number > after) each(line);
    ++number;
    start = i + 1;
  }
}

}  // namespace

std::string records_below(std::string_view text, int line, DescriptionKind kind, bool* several) {
  struct Count {
    Noun noun;
    size_t count = 0;
  };
  std::vector<Count> counts;
  for (const RecordInfo& r : record_catalogue()) {
    if (r.description != kind) continue;
    const Noun n = noun_of(r);
    bool known = false;
    for (const Count& c : counts) known = known || c.noun.one == n.one;
    if (!known) counts.push_back({n, 0});
  }
  size_t total = 0;
  for_lines_after(text, line, [&](std::string_view row) {
    const std::string_view field = keyword_field(row);
    if (is_comment(field) || field.find('[') != std::string_view::npos) return;
    const RecordInfo* r = record_named(kind, field);
    // Any field with "curva" is a curve to the reader, whatever its side.
    const bool curve = kind == DescriptionKind::kLine && contains_nocase(field, "curva");
    if (r == nullptr && !curve) return;
    const Noun n = curve ? Noun{"curve", "curves"} : noun_of(*r);
    for (Count& c : counts) c.count += c.noun.one == n.one ? 1 : 0;
    ++total;
  });
  std::vector<std::string> parts;
  for (const Count& c : counts) {
    if (c.count > 0) parts.push_back(std::to_string(c.count) + " " + std::string(c.count == 1 ? c.noun.one : c.noun.many));
  }
  if (several) *several = total > 1;
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    out += i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ";
    out += parts[i];
  }
  return out;
}

}  // namespace scenpack
