// The editor packages highlight exactly the keywords the readers know: the
// TextMate grammar of the VS Code extension and Notepad++'s user-defined
// language are both held to `scenpack keywords --json`, the one list.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#ifdef SCENPACK_LANGUAGE_SERVER
#include <nlohmann/json.hpp>
#endif

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;
using Words = std::set<std::string>;

#ifdef SCENPACK_LANGUAGE_SERVER

using json = nlohmann::json;

Words program_keywords(const char* description) {
  TempDir dir;
  const ExeResult r = run_scenpack(dir.path(), {"keywords", "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  const json listing = json::parse(r.out);
  Words out;
  for (const json& record : listing[description]["records"]) out.insert(record["keyword"].get<std::string>());
  return out;
}

// The words of a grammar rule "(?i)^\s*(?:a|b c|d)(?=...)".
Words grammar_keywords(const std::string& rule) {
  const std::string grammar = slurp(std::string(SCENPACK_SOURCE_DIR) + "/editors/vscode/syntaxes/scenpack.tmLanguage.json");
  const std::string match = json::parse(grammar)["repository"][rule]["match"];
  const size_t open = match.find("(?:") + 3;
  const std::string list = match.substr(open, match.find(')', open) - open);
  Words out;
  for (size_t at = 0; at <= list.size();) {
    const size_t bar = std::min(list.find('|', at), list.size());
    out.insert(list.substr(at, bar - at));
    at = bar + 1;
  }
  return out;
}

// The words of a Notepad++ keyword list: bare, or in &quot; when they hold a blank.
Words user_language_keywords(const std::string& list_name) {
  const std::string xml = slurp(std::string(SCENPACK_SOURCE_DIR) + "/editors/notepad++/scenpack.xml");
  const std::regex list("<Keywords name=\"" + list_name + "\">([^<]*)</Keywords>");
  std::smatch m;
  EXPECT_TRUE(std::regex_search(xml, m, list)) << list_name;
  const std::string text = m[1];
  static const std::regex word("&quot;([^&]*)&quot;|([^ ]+)");
  Words out;
  for (std::sregex_iterator w(text.begin(), text.end(), word), end; w != end; ++w) {
    out.insert((*w)[1].matched ? (*w)[1].str() : (*w)[2].str());
  }
  return out;
}

TEST(EditorKeywords, TheGrammarAndTheUserLanguageListTheProgramsKeywords) {
  const Words line = program_keywords("line");
  const Words train = program_keywords("train");
  EXPECT_TRUE(line.count("pendenza") && train.count("velocita' limite"));
  EXPECT_EQ(grammar_keywords("line-keyword"), line) << "run editors/make_keyword_files.py";
  EXPECT_EQ(grammar_keywords("train-keyword"), train) << "run editors/make_keyword_files.py";
  EXPECT_EQ(user_language_keywords("Keywords1"), line) << "run editors/make_keyword_files.py";
  EXPECT_EQ(user_language_keywords("Keywords2"), train) << "run editors/make_keyword_files.py";
}

#endif

}  // namespace
}  // namespace scenpack
