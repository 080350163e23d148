#include "sources/emission.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sources/documents.h"
#include "sources/line_text.h"
#include "sources/text_lines.h"
#include "sources/train_text.h"

namespace scenpack {
namespace {

const ScenarioFiles kFiles{"out", "Tarvena1", "84"};

TEST(ScenarioTexts, TheFiveTextsUnderTheirNamesInOrder) {
  const std::vector<ScenarioText> texts = scenario_texts(kFiles);
  std::vector<std::string> names;
  for (const ScenarioText& text : texts) names.push_back(text.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Tarvena1_linea.txt", "Tarvena1_84-.txt", "Tarvena1_84_note.txt",
                                             "Tarvena1_84_rallentamenti.txt", "Tarvena1_84_scheda_treno.txt"}));
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].bytes, render_text_lines(line_description_lines()));
  EXPECT_EQ(texts[1].bytes, render_text_lines(train_description_lines()));
  EXPECT_EQ(texts[2].bytes, render_text_lines(notes_lines()));
  EXPECT_EQ(texts[3].bytes, render_text_lines(slow_order_form_lines()));
  EXPECT_EQ(texts[4].bytes, render_text_lines(train_sheet_lines()));
}

TEST(ScenarioTexts, DescriptionsAreCrLfTextWithNothingAround) {
  const std::vector<ScenarioText> texts = scenario_texts(kFiles);
  struct Expect {
    size_t text;
    size_t lines;
    const char* first;
  };
  for (const Expect& e : {Expect{0, 306, "Percorso "}, Expect{1, 258, "                  Treno 84"}}) {
    const std::string& bytes = texts.at(e.text).bytes;
    const std::string& name = texts.at(e.text).name;
    EXPECT_EQ(bytes.rfind(e.first, 0), 0u) << name;  // no byte-order mark before
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
    size_t crlf = 0, lone = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++crlf;
      else if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) ++lone;
    }
    EXPECT_EQ(crlf, e.lines) << name;
    EXPECT_EQ(lone, 0u) << name;
  }
}

}  // namespace
}  // namespace scenpack
