#include "lsp/language_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/windows_1252.h"
#include "sources/line_text.h"
#include "sources/text_lines.h"
#include "sources/train_text.h"

namespace scenpack {
namespace {

using json = nlohmann::json;

const std::string kLinePath = "/route/Tarvena1_linea.txt";
const std::string kTrainPath = "/route/Tarvena1_84-.txt";
const std::string kLineUri = "file:///route/Tarvena1_linea.txt";
const std::string kTrainUri = "file:///route/Tarvena1_84-.txt";

// The embedded descriptions as an editor holds them: UTF-8.
std::string embedded_line() { return utf8_from_windows_1252(render_text_lines(line_description_lines())); }
std::string embedded_train() { return utf8_from_windows_1252(render_text_lines(train_description_lines())); }

// The 0-based line of `text` that starts with `start`.
int line_starting(const std::string& text, const std::string& start) {
  int line = 0;
  for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1, ++line) {
    if (text.compare(at, start.size(), start) == 0) return line;
    if (text.find('\n', at) == std::string::npos) break;
  }
  ADD_FAILURE() << "no line starts with " << start;
  return -1;
}

json position(int line, int character) { return {{"line", line}, {"character", character}}; }

// A client that talks to the server in-process, message by message.
class Client {
 public:
  explicit Client(FilesInMemory& files) : server_(files) {}

  // Sends one message; returns what came back, parsed.
  std::vector<json> send(const json& message) { return send_text(message.dump()); }
  std::vector<json> send_text(const std::string& content) {
    std::vector<json> out;
    for (const std::string& answer : server_.handle(content)) out.push_back(json::parse(answer));
    return out;
  }
  json request(const std::string& method, const json& params) {
    const std::vector<json> answers = send({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", params}});
    EXPECT_EQ(answers.size(), 1u) << method;
    return answers.empty() ? json() : answers[0];
  }
  std::vector<json> notify(const std::string& method, const json& params) {
    return send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  std::vector<json> open(const std::string& uri, const std::string& text) {
    return notify("textDocument/didOpen",
                  {{"textDocument", {{"uri", uri}, {"languageId", "scenpack"}, {"version", 1}, {"text", text}}}});
  }
  // Replaces lines [from, to) of the document with `text`.
  std::vector<json> replace_lines(const std::string& uri, int from, int to, const std::string& text) {
    return notify("textDocument/didChange",
                  {{"textDocument", {{"uri", uri}, {"version", ++version_}}},
                   {"contentChanges", json::array({{{"range", {{"start", position(from, 0)}, {"end", position(to, 0)}}},
                                                    {"text", text}}})}});
  }
  LanguageServer& server() { return server_; }

 private:
  LanguageServer server_;
  int id_ = 0;
  int version_ = 1;
};

// The diagnostics published for `uri` in `messages` (the last list of it).
json diagnostics_for(const std::vector<json>& messages, const std::string& uri) {
  json found;
  for (const json& m : messages) {
    if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) {
      found = m["params"]["diagnostics"];
    }
  }
  EXPECT_FALSE(found.is_null()) << "nothing published for " << uri;
  return found;
}

json errors_in(const json& diagnostics) {
  json out = json::array();
  for (const json& d : diagnostics) {
    if (d["severity"] == 1) out.push_back(d);
  }
  return out;
}

class LanguageServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.files[kLinePath] = render_text_lines(line_description_lines());
    files.files[kTrainPath] = render_text_lines(train_description_lines());
    const json init = client.request("initialize", {{"capabilities", json::object()}});
    ASSERT_TRUE(init.contains("result")) << init.dump();
    client.notify("initialized", json::object());
  }

  FilesInMemory files;
  Client client{files};
};

TEST_F(LanguageServerTest, AFaultTypedInIsShownAtItsFieldAndGoesWhenMended) {
  client.open(kLineUri, embedded_line());
  // The train description on disk is not what the editor holds: the
  // editor's text is checked.
  files.files[kTrainPath] = "treno\r\n[generale]\r\n[fine]\r\n\r\n";
  const std::string train = embedded_train();
  const std::vector<json> opened = client.open(kTrainUri, train);
  EXPECT_EQ(errors_in(diagnostics_for(opened, kLineUri)), json::array());
  EXPECT_EQ(errors_in(diagnostics_for(opened, kTrainUri)), json::array());

  // A second signal on the cell of the one at 2550.
  const int signal = line_starting(train, "segnale,   2550");
  const std::vector<json> changed =
      client.replace_lines(kTrainUri, signal + 1, signal + 1, "segnale,   2560, 2, 4, 1, 0, 0, 0, 2, 1, 1, 0\r\n");
  const json errors = errors_in(diagnostics_for(changed, kTrainUri));
  ASSERT_EQ(errors.size(), 1u) << errors.dump();
  EXPECT_EQ(errors[0]["code"], 16);
  EXPECT_EQ(errors[0]["message"],
            "Errore n. 16, posizione 2560: the signal lands in cell 52 (2550-2599 m), which holds a signal");
  // The fault is placed at the signal's position field, the signal that
  // holds the cell at its own.
  EXPECT_EQ(errors[0]["range"], json({{"start", position(signal + 1, 11)}, {"end", position(signal + 1, 15)}}));
  const json holder = {{"uri", kTrainUri}, {"range", {{"start", position(signal, 11)}, {"end", position(signal, 15)}}}};
  EXPECT_EQ(errors[0]["relatedInformation"],
            json::array({json{{"location", holder}, {"message", "the signal placed there"}}}));

  const std::vector<json> mended = client.replace_lines(kTrainUri, signal + 1, signal + 2, "");
  EXPECT_EQ(errors_in(diagnostics_for(mended, kTrainUri)), json::array());
}

TEST_F(LanguageServerTest, TheErrorsShownAreBoundedAndTheCutIsSaid) {
  const std::string train = embedded_train();
  client.open(kTrainUri, train);
  const int signal = line_starting(train, "segnale,   2550");
  std::string clashes;
  for (int i = 0; i < 250; ++i) clashes += "segnale,   2560, 2, 4, 1, 0, 0, 0, 2, 1, 1, 0\r\n";
  const json list = diagnostics_for(client.replace_lines(kTrainUri, signal + 1, signal + 1, clashes), kTrainUri);
  EXPECT_EQ(errors_in(list).size(), 200u);
  EXPECT_EQ(list.back()["message"],
            "the check stopped after 200 errors: those after are not shown (scenpack check lists them all)");
}

TEST_F(LanguageServerTest, TheLineDescriptionIsCheckedWithItsTrainDescriptionFromDisk) {
  std::string line = embedded_line();
  const int gradient = line_starting(line, "pendenza  , 500");
  client.open(kLineUri, line);
  const std::vector<json> changed = client.replace_lines(kLineUri, gradient, gradient + 1, "pendenza  , 500 , x\r\n");
  const json errors = errors_in(diagnostics_for(changed, kLineUri));
  ASSERT_EQ(errors.size(), 1u) << errors.dump();
  EXPECT_EQ(errors[0]["code"], 25);
  EXPECT_EQ(errors[0]["range"]["start"], position(gradient, 18));
  // The train description is published too: the pair is checked as one.
  EXPECT_TRUE(diagnostics_for(changed, kTrainUri).is_array());
}

// An author's slip on one line of the embedded line description, the
// warning it draws and the line as its one quick fix leaves it.
struct SlipWithFix {
  const char* original_start;  // the start of the line that is changed
  const char* slip;
  const char* warning;
  const char* mended;
};

const SlipWithFix kSlipsWithFixes[] = {
    {"pendenza  , 500", "pendeza  , 500    , -7\r\n", "unknown-keyword", "pendenza  , 500    , -7\r\n"},
    {"pendenza  , 500", "pendenza  , 500    , -7,5\r\n", "extra-fields", "pendenza  , 500    , -7.5\r\n"},
    {"curvad2,", "curva destra 2,   500,  300\r\n", "curve-side", "curvad2,   500,  300\r\n"},
};

// The warning of `diagnostics` on `line`, or null.
json warning_on(const json& diagnostics, int line) {
  for (const json& d : diagnostics) {
    if (d["severity"] == 2 && d["range"]["start"]["line"] == line) return d;
  }
  return json();
}

// The byte offset of (line, character) in an ASCII `text`.
size_t offset_of(const std::string& text, int line, int character) {
  size_t at = 0;
  for (int n = 0; n < line && at != std::string::npos; ++n) at = text.find('\n', at) + 1;
  return at + static_cast<size_t>(character);
}

// The line `line` of `text`, with its line end.
std::string line_of(const std::string& text, int line) {
  const size_t at = offset_of(text, line, 0);
  return text.substr(at, text.find('\n', at) + 1 - at);
}

// `text` with the edits of a quick fix made, the last first.
std::string applied(std::string text, const json& edits) {
  std::vector<json> ordered(edits.begin(), edits.end());
  std::sort(ordered.begin(), ordered.end(), [](const json& a, const json& b) {
    return std::make_pair(a["range"]["start"]["line"].get<int>(), a["range"]["start"]["character"].get<int>()) >
           std::make_pair(b["range"]["start"]["line"].get<int>(), b["range"]["start"]["character"].get<int>());
  });
  for (const json& e : ordered) {
    const size_t from = offset_of(text, e["range"]["start"]["line"], e["range"]["start"]["character"]);
    const size_t to = offset_of(text, e["range"]["end"]["line"], e["range"]["end"]["character"]);
    text.replace(from, to - from, e["newText"].get<std::string>());
  }
  return text;
}

TEST_F(LanguageServerTest, AWarningsQuickFixAppliedByTheEditorMendsTheLine) {
  for (const SlipWithFix& c : kSlipsWithFixes) {
    SCOPED_TRACE(c.slip);
    const std::string original = embedded_line();
    const int line = line_starting(original, c.original_start);
    client.open(kLineUri, original);
    json warning = warning_on(diagnostics_for(client.replace_lines(kLineUri, line, line + 1, c.slip), kLineUri), line);
    ASSERT_FALSE(warning.is_null());
    EXPECT_EQ(warning["code"], c.warning);

    // The editor asks for the actions at the warning's range and applies the one
    // quick fix as it would: its edits sent back as a change of the text.
    const json actions = client.request(
        "textDocument/codeAction",
        {{"textDocument", {{"uri", kLineUri}}}, {"range", warning["range"]}, {"context", {{"diagnostics", json::array({warning})}}}});
    ASSERT_TRUE(actions["result"].is_array()) << actions.dump();
    ASSERT_EQ(actions["result"].size(), 1u) << actions.dump();
    const json& action = actions["result"][0];
    EXPECT_EQ(action["kind"], "quickfix");
    EXPECT_EQ(action["diagnostics"][0]["code"], c.warning);
    json changes = json::array();
    for (const json& edit : action["edit"]["changes"][kLineUri]) {
      changes.push_back({{"range", edit["range"]}, {"text", edit["newText"]}});
    }
    const std::vector<json> after = client.notify(
        "textDocument/didChange", {{"textDocument", {{"uri", kLineUri}, {"version", 100}}}, {"contentChanges", changes}});
    EXPECT_TRUE(warning_on(diagnostics_for(after, kLineUri), line).is_null());

    // The fix leaves the line as the author meant it, nothing else changed.
    std::string expected = original;
    expected.replace(offset_of(original, line, 0), line_of(original, line).size(), c.mended);
    std::string slipped = original;
    slipped.replace(offset_of(original, line, 0), line_of(original, line).size(), c.slip);
    EXPECT_EQ(applied(slipped, action["edit"]["changes"][kLineUri]), expected);
    client.notify("textDocument/didClose", {{"textDocument", {{"uri", kLineUri}}}});
  }
}

TEST_F(LanguageServerTest, ACodeActionRequestWithoutARangeIsRefused) {
  client.open(kLineUri, embedded_line());
  const json bad = client.request("textDocument/codeAction", {{"textDocument", {{"uri", kLineUri}}}, {"range", 3}});
  EXPECT_EQ(bad["error"]["code"], -32602);
}

TEST_F(LanguageServerTest, TextWithoutWindows1252FormIsAFinding) {
  std::string line = embedded_line();
  const int gradient = line_starting(line, "pendenza  , 500");
  client.open(kLineUri, line);
  const std::vector<json> changed =
      client.replace_lines(kLineUri, gradient, gradient, "- pendenza \xE2\x89\xA5 \xF0\x9F\x9A\x86 nuova\r\n");
  const json errors = errors_in(diagnostics_for(changed, kLineUri));
  ASSERT_EQ(errors.size(), 2u) << errors.dump();
  EXPECT_EQ(errors[0]["code"], "windows-1252");
  EXPECT_EQ(errors[0]["message"], "\"\xE2\x89\xA5\" has no Windows-1252 form: the file cannot hold it (read as '?')");
  EXPECT_EQ(errors[0]["range"], json({{"start", position(gradient, 11)}, {"end", position(gradient, 12)}}));
  EXPECT_EQ(errors[1]["range"], json({{"start", position(gradient, 13)}, {"end", position(gradient, 15)}}));
}

TEST_F(LanguageServerTest, ADescriptionWithoutPartnerSaysSo) {
  const std::vector<json> opened = client.open("file:///elsewhere/prova.txt", "treno\r\n[generale]\r\n[fine]\r\n\r\n");
  const json list = diagnostics_for(opened, "file:///elsewhere/prova.txt");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["severity"], 3);
  EXPECT_EQ(list[0]["message"],
            "no line description goes with this train description (Tarvena1_linea.txt beside it, or a scenpack.ini "
            "that names both): it is checked once there is one");
}

TEST_F(LanguageServerTest, AScenarioFileNamesThePair) {
  files.files["/s/scenpack.ini"] = "# a scenario\nname = Valdora1\nnumber = 12\nline = testi/linea.txt\ntrain = testi/treno.txt\n";
  files.files["/s/testi/treno.txt"] = render_text_lines(train_description_lines());
  const std::vector<json> opened = client.open("file:///s/testi/linea.txt", embedded_line());
  EXPECT_EQ(errors_in(diagnostics_for(opened, "file:///s/testi/linea.txt")), json::array());
  EXPECT_TRUE(diagnostics_for(opened, "file:///s/testi/treno.txt").is_array());

  files.files["/s/scenpack.ini"] = "name = Valdora1\nnumero = 12\n";
  const std::vector<json> faulty = client.notify("textDocument/didSave", {{"textDocument", {{"uri", "file:///s/testi/linea.txt"}}}});
  const json list = diagnostics_for(faulty, "file:///s/scenpack.ini");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["message"], "unknown key 'numero' (name, number, line, train, output)");
  EXPECT_EQ(list[0]["range"]["start"], position(1, 0));
}

TEST_F(LanguageServerTest, HoverShowsTheFieldAndWhatIsStored) {
  const std::string train = embedded_train();
  client.open(kTrainUri, train);
  const int speed = line_starting(train, "velocita' limite ,   650");
  client.replace_lines(kTrainUri, speed, speed + 1, "velocita' limite ,   650    ,   97\r\n");
  const json value = client.request(
      "textDocument/hover", {{"textDocument", {{"uri", kTrainUri}}}, {"position", position(speed, 33)}});
  EXPECT_EQ(value["result"]["contents"]["value"],
            "**velocita' limite**, field 2 `velocita`: the speed limit\n\n97 km/h, stored as 19 = 95 km/h");
  const json place = client.request(
      "textDocument/hover", {{"textDocument", {{"uri", kTrainUri}}}, {"position", position(speed, 22)}});
  EXPECT_EQ(place["result"]["contents"]["value"],
            "**velocita' limite**, field 1 `posizione`: where the speed limit starts\n\n650 m, from cell 13 (650-699 m)");
  const json keyword = client.request(
      "textDocument/hover", {{"textDocument", {{"uri", kTrainUri}}}, {"position", position(speed, 3)}});
  EXPECT_EQ(keyword["result"]["contents"]["value"],
            "**velocita' limite** [vel_limite]: a speed limit, from its position to the next one\n\n"
            "1. `posizione` (m): where the speed limit starts\n2. `velocita` (km/h): the speed limit\n");
  const json blank = client.request(
      "textDocument/hover", {{"textDocument", {{"uri", kTrainUri}}}, {"position", position(0, 0)}});
  EXPECT_TRUE(blank["result"].is_null());
}

TEST_F(LanguageServerTest, CompletionOffersTheRecordsOfTheSection) {
  const std::string train = embedded_train();
  client.open(kTrainUri, train);
  const int signals = line_starting(train, "[segnali]");
  const json items = client.request(
      "textDocument/completion", {{"textDocument", {{"uri", kTrainUri}}}, {"position", position(signals + 1, 0)}});
  ASSERT_TRUE(items["result"].is_array());
  ASSERT_GE(items["result"].size(), 1u);
  EXPECT_EQ(items["result"][0]["label"], "segnale");
  EXPECT_EQ(items["result"][0]["insertText"],
            "segnale, ${1:posizione}, ${2:sx}, ${3:s1}, ${4:s2}, ${5:s3}, ${6:rapp}, ${7:dx}, ${8:d1}, ${9:d2}, "
            "${10:d3}, ${11:tempo}");
  EXPECT_EQ(items["result"][1]["label"], "[generale]");  // then the section markers
}

TEST_F(LanguageServerTest, SymbolsOfTheEmbeddedDescriptions) {
  client.open(kLineUri, embedded_line());
  client.open(kTrainUri, embedded_train());
  const json line = client.request("textDocument/documentSymbol", {{"textDocument", {{"uri", kLineUri}}}})["result"];
  std::vector<std::string> sections;
  for (const json& s : line) sections.push_back(s["name"]);
  EXPECT_EQ(sections, (std::vector<std::string>{"[generale]", "[pendenze]", "[curve]", "[cartelli]", "[montagne]",
                                                "[indicazioni]", "[fine]"}));
  EXPECT_EQ(line[2]["children"][0]["name"], "curvad2 500");
  EXPECT_EQ(line[4]["children"][0]["name"], "montagna 19400");
  const json train = client.request("textDocument/documentSymbol", {{"textDocument", {{"uri", kTrainUri}}}})["result"];
  for (const json& s : train) {
    if (s["name"] == "[stazioni]") {
      EXPECT_EQ(s["children"][0]["name"], "ROMA TERMINI");
    } else if (s["name"] == "[segnali]") {
      EXPECT_EQ(s["children"][0]["name"], "segnale 2550");
    }
  }
}

TEST_F(LanguageServerTest, AMalformedMessageGetsAnErrorAndTheServerGoesOn) {
  const struct {
    std::string content;
    int code;
  } cases[] = {
      {"{not json", -32700},
      {"[]", -32600},
      {R"({"jsonrpc":"2.0","id":7})", -32600},
      {R"({"jsonrpc":"2.0","id":{"a":1},"method":"shutdown"})", -32600},
      {R"({"jsonrpc":"2.0","id":7,"method":"textDocument/rename","params":{}})", -32601},
      {R"({"jsonrpc":"2.0","id":7,"method":"textDocument/hover","params":{"textDocument":{"uri":"file:///a"},"position":"x"}})",
       -32602},
      {R"({"jsonrpc":"2.0","id":7,"method":"textDocument/hover","params":[1,2]})", -32602},
  };
  for (const auto& c : cases) {
    const std::vector<json> answers = client.send_text(c.content);
    ASSERT_EQ(answers.size(), 1u) << c.content;
    EXPECT_EQ(answers[0].value("error", json::object()).value("code", 0), c.code) << c.content;
  }
  // Notifications that cannot be used are dropped without an answer.
  EXPECT_TRUE(client.send_text(R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":7})").empty());
  EXPECT_TRUE(client.send_text(R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file:///nothing"},"contentChanges":[{"range":{"start":{"line":-4,"character":"x"}},"text":1}]}})").empty());
  EXPECT_EQ(client.request("shutdown", json::object())["result"], nullptr);
}

TEST(LanguageServerLifeTest, RequestsBeforeInitializeAndAfterShutdownAreRefused) {
  FilesInMemory files;
  Client client(files);
  EXPECT_EQ(client.request("textDocument/hover", json::object())["error"]["code"], -32002);
  client.request("initialize", json::object());
  client.request("shutdown", json::object());
  EXPECT_EQ(client.request("textDocument/hover", json::object())["error"]["code"], -32600);
  EXPECT_FALSE(client.server().exited());
  client.notify("exit", json::object());
  EXPECT_TRUE(client.server().exited());
  EXPECT_EQ(client.server().exit_status(), 0);

  Client abrupt(files);
  abrupt.notify("exit", json::object());
  EXPECT_EQ(abrupt.server().exit_status(), 1);  // exit without shutdown
}

}  // namespace
}  // namespace scenpack
