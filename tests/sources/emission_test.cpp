#include "sources/emission.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "sources/documents.h"
#include "sources/line_text.h"
#include "sources/text_writer.h"
#include "sources/train_text.h"

namespace scenpack {
namespace {

class EmissionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / "scenpack_emission_test";
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    files_ = ScenarioFiles{dir_.string(), "Tarvena1", "84"};
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string contents(const std::string& name) {
    std::string out;
    EXPECT_TRUE(read_file(files_.path(name), out).is_ok()) << name;
    return out;
  }

  std::filesystem::path dir_;
  ScenarioFiles files_;
};

TEST_F(EmissionTest, WritesTheFiveTextsInOrder) {
  ASSERT_TRUE(has_embedded_texts());
  std::vector<std::string> written;
  ASSERT_TRUE(emit_scenario_texts(files_, &written).is_ok());
  EXPECT_EQ(written, (std::vector<std::string>{"Tarvena1_linea.txt", "Tarvena1_84-.txt", "Tarvena1_84_note.txt",
                                               "Tarvena1_84_rallentamenti.txt", "Tarvena1_84_scheda_treno.txt"}));
  EXPECT_EQ(contents("Tarvena1_linea.txt"), render_text_lines(line_description_lines()));
  EXPECT_EQ(contents("Tarvena1_84-.txt"), render_text_lines(train_description_lines()));
  EXPECT_EQ(contents("Tarvena1_84_note.txt"), render_text_lines(note_lines()));
  EXPECT_EQ(contents("Tarvena1_84_rallentamenti.txt"), render_text_lines(rallentamenti_lines()));
  EXPECT_EQ(contents("Tarvena1_84_scheda_treno.txt"), render_text_lines(scheda_treno_lines()));
}

TEST_F(EmissionTest, DescriptionsAreCrLfTextWithNothingAround) {
  ASSERT_TRUE(emit_scenario_texts(files_, nullptr).is_ok());
  struct Expect {
    const char* name;
    size_t lines;
    const char* first;
  };
  for (const Expect& e : {Expect{"Tarvena1_linea.txt", 306, "Percorso "},
                          Expect{"Tarvena1_84-.txt", 258, "                  Treno 84"}}) {
    const std::string bytes = contents(e.name);
    EXPECT_EQ(bytes.rfind(e.first, 0), 0u) << e.name;  // no byte-order mark before
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << e.name;
    size_t crlf = 0, lone = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++crlf;
      else if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) ++lone;
    }
    EXPECT_EQ(crlf, e.lines) << e.name;
    EXPECT_EQ(lone, 0u) << e.name;
  }
}

TEST_F(EmissionTest, AnEarlierLongerCopyIsReplaced) {
  const std::string stale(200000, 'x');
  ASSERT_TRUE(write_file_atomically(files_.path("Tarvena1_84-.txt"), stale).is_ok());
  ASSERT_TRUE(emit_scenario_texts(files_, nullptr).is_ok());
  EXPECT_EQ(contents("Tarvena1_84-.txt"), render_text_lines(train_description_lines()));
}

TEST_F(EmissionTest, AMissingDirectoryStopsWithAStatus) {
  ScenarioFiles nowhere{(dir_ / "missing").string(), "Tarvena1", "84"};
  std::vector<std::string> written;
  Status status = emit_scenario_texts(nowhere, &written);
  EXPECT_FALSE(status.is_ok());
  EXPECT_TRUE(written.empty());
  EXPECT_NE(status.message().find("Tarvena1_linea.txt"), std::string::npos);
}

}  // namespace
}  // namespace scenpack
