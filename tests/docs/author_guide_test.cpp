// The author's guide, docs/descriptions.md, cannot rot: its complete example
// is built straight out of the page with the command the page shows, through
// the real executable, and every cell and record the page lists is checked
// in the compiled files. Its fault table lists exactly the codes the program
// explains.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "format/decoding.h"
#include "model/errors.h"
#include "model/fault_guide.h"
#include "model/warning_kinds.h"
#include "support/fenced_blocks.h"
#include "support/run_exe.h"
#include "support/sha256.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

std::string guide() {
  const std::string text = slurp(std::string(SCENPACK_SOURCE_DIR) + "/docs/descriptions.md");
  EXPECT_FALSE(text.empty()) << "docs/descriptions.md is missing";
  return text;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// A table of the page: the rows after the header line `header`, each split
// into its cells with the blanks around them trimmed.
std::vector<std::vector<std::string>> table_rows(const std::string& page, const std::string& header) {
  std::vector<std::vector<std::string>> rows;
  bool inside = false;
  for (const std::string& line : lines_of(page)) {
    if (line == header) {
      inside = true;
      continue;
    }
    if (!inside) continue;
    if (line.rfind("|", 0) != 0) break;
    if (line.rfind("|---", 0) == 0) continue;
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line.substr(1)) {
      if (c != '|') {
        cell += c;
        continue;
      }
      const size_t a = cell.find_first_not_of(' ');
      const size_t b = cell.find_last_not_of(' ');
      cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
      cell.clear();
    }
    rows.push_back(cells);
  }
  return rows;
}

// "tipo 12, dato1 180", "lungo1 -300, testo \"VALLE ALTA\"": the named values.
std::vector<std::pair<std::string, std::string>> named_values(const std::string& contents) {
  static const std::regex pair(R"(([a-z]+[0-9]?) (-?[0-9]+|"[^"]*"))");
  std::vector<std::pair<std::string, std::string>> out;
  for (std::sregex_iterator m(contents.begin(), contents.end(), pair), end; m != end; ++m) {
    out.emplace_back((*m)[1], (*m)[2]);
  }
  return out;
}

// The value of the field called `name`, as text; nothing when there is no such field.
std::optional<std::string> field_text(const std::map<std::string, int64_t>& fields, const std::string& name) {
  auto it = fields.find(name);
  if (it == fields.end()) return std::nullopt;
  return std::to_string(it->second);
}

std::optional<std::string> cell_value(const Cella& c, const std::string& name) {
  const std::map<std::string, int64_t> fields = {
      {"tipo", c.tipo},     {"dato1", c.dato1},   {"dato2", c.dato2},       {"dato3", c.dato3},
      {"dato4", c.dato4},   {"tempo", c.tempo},   {"avviso", c.avviso},     {"galleria", c.galleria},
      {"dato5", c.dato5},   {"dato6", c.dato6},   {"dato7", c.dato7}};
  return field_text(fields, name);
}

std::optional<std::string> record_value(const Scheda& s, const std::string& name) {
  if (name == "testo") return "\"" + s.testo + "\"";
  const std::map<std::string, int64_t> fields = {
      {"byte1", s.byte1},     {"byte2", s.byte2},     {"byte3", s.byte3},     {"byte4", s.byte4},
      {"byte5", s.byte5},     {"byte6", s.byte6},     {"lungo1", s.lungo1},   {"lungo2", s.lungo2},
      {"lungo3", s.lungo3},   {"lungo4", s.lungo4},   {"intero1", s.intero1}, {"intero2", s.intero2},
      {"intero3", s.intero3}, {"intero4", s.intero4}, {"intero5", s.intero5}};
  return field_text(fields, name);
}

// "107", "0–9" (en dash) or "0-9": the first and last cell of a row.
std::pair<long, long> cell_range(const std::string& text) {
  static const std::regex range(R"((\d+)(?:(?:–|-)(\d+))?)");
  std::smatch m;
  if (!std::regex_match(text, m, range)) return {-1, -2};
  const long first = std::stol(m[1]);
  return {first, m[2].matched ? std::stol(m[2]) : first};
}

using ValueOf = std::function<std::optional<std::string>(size_t index, const std::string& field)>;

// Checks every row of the page's table under `header` ("| cell | from |
// contents |"): each value the row names, in every cell or record its first
// column names, against `value_of`. Returns the number of rows.
size_t check_listed_values(const std::string& page, const std::string& header, size_t count,
                           const ValueOf& value_of) {
  const auto rows = table_rows(page, header);
  for (const auto& row : rows) {
    EXPECT_EQ(row.size(), 3u);
    if (row.size() != 3) continue;
    SCOPED_TRACE(row[0] + " (" + row[1] + ")");
    const auto [first, last] = cell_range(row[0]);
    EXPECT_TRUE(first >= 0 && first <= last && last < static_cast<long>(count)) << "not an index or a range";
    const auto values = named_values(row[2]);
    EXPECT_FALSE(values.empty());
    for (long i = std::max(first, 0L); i <= last && i < static_cast<long>(count); ++i) {
      for (const auto& [field, expected] : values) {
        const std::optional<std::string> actual = value_of(static_cast<size_t>(i), field);
        EXPECT_TRUE(actual.has_value()) << "no field " << field;
        if (actual) {
          EXPECT_EQ(*actual, expected) << i << " " << field;
        }
      }
    }
  }
  return rows.size();
}

std::string value_after(const std::vector<std::string>& args, const std::string& option) {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == option) return args[i + 1];
  }
  return "";
}

TEST(AuthorGuide, ExampleBuildsCleanAndFillsTheCellsAndRecordsThePageLists) {
  const std::string page = guide();
  const std::map<std::string, std::string> blocks = fenced_blocks(page);

  // The two descriptions, written under the names their blocks carry.
  TempDir dir;
  int descriptions = 0;
  for (const auto& [info, body] : blocks) {
    const std::vector<std::string> words = words_of(info);
    if (words.size() == 2 && words[0] == "text") {
      spit(dir.file(words[1]), body);
      ++descriptions;
    }
  }
  ASSERT_EQ(descriptions, 2) << "the example's two descriptions";

  // The command, run as the page shows it, in the directory of the files.
  ASSERT_TRUE(blocks.count("sh")) << "the example's command";
  std::vector<std::string> args = words_of(blocks.at("sh"));
  ASSERT_FALSE(args.empty());
  ASSERT_EQ(args.front(), "scenpack");
  args.erase(args.begin());
  const ExeResult r = run_scenpack(dir.path(), args);
  ASSERT_EQ(r.status, 0) << r.err;

  const std::string name = value_after(args, "--name");
  const std::string number = value_after(args, "--number");
  std::vector<Cella> celle;
  ASSERT_FALSE(decode_cells(slurp(dir.file(name + "_" + number + ".dat")), celle).has_value());
  std::array<Scheda, kRecordCount> schede{};
  ASSERT_FALSE(decode_records(slurp(dir.file(name + "_" + number + ".sim")), schede).has_value());
  EXPECT_FALSE(slurp(dir.file(name + "_linea.dat")).empty());
  // And to the byte: the three files' SHA-256 sums.
  EXPECT_EQ(sha256_hex(slurp(dir.file(name + "_linea.dat"))), "9c4b3a1fb03a1220968cc08ad8976b5319a904288c5628d10b6706229af485c9");
  EXPECT_EQ(sha256_hex(slurp(dir.file(name + "_" + number + ".sim"))), "81953191bfdf79c6b5d40226ed04a9ae20e3860fcd17537fa3e759fbbf8b80e2");
  EXPECT_EQ(sha256_hex(slurp(dir.file(name + "_" + number + ".dat"))), "a517b882851a811af1427388894e0b7a10b840fa302ccefcda29bb20f0822aa4");

  const size_t cell_rows = check_listed_values(
      page, "| cell | from | contents |", celle.size(),
      [&](size_t i, const std::string& field) { return cell_value(celle[i], field); });
  EXPECT_GT(cell_rows, 30u);
  const size_t record_rows = check_listed_values(
      page, "| record | from | contents |", schede.size(),
      [&](size_t i, const std::string& field) { return record_value(schede[i], field); });
  EXPECT_GT(record_rows, 5u);
}

// The fault codes' table lists every code, in order, with what `explain`
// says of it word for word.
TEST(AuthorGuide, FaultTableListsEveryCodeAsTheProgramExplainsIt) {
  const std::string page = guide();
  std::vector<std::vector<std::string>> want;
  for (int32_t code = 1; code < 10000; ++code) {
    if (explanation(code).empty()) continue;
    const FaultGuide g = fault_guide(static_cast<FaultCode>(code));
    want.push_back({std::to_string(code), std::string(g.meaning), std::string(g.given_by), std::string(g.fix)});
  }
  EXPECT_EQ(table_rows(page, "| code | meaning | given by | how to fix |"), want);
}

// The warnings' table lists every warning, in the program's order, with
// what it says in check and in `explain` word for word.
TEST(AuthorGuide, WarningTableListsEveryWarningAsTheProgramExplainsIt) {
  const std::string page = guide();
  std::vector<std::vector<std::string>> want;
  for (WarningName w : kAllWarnings) {
    const WarningKind k = warning_kind(w);
    want.push_back({std::string("`").append(k.name) + "`", std::string(k.summary), std::string(k.explanation),
                    std::string(k.fix)});
  }
  EXPECT_EQ(table_rows(page, "| warning | what it means | why | how to fix |"), want);
}

}  // namespace
}  // namespace scenpack
