#include "sources/text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

const std::string kMarker(kEndOfTextMarker);

TEST(RenderTextLines, WritesEachEntryUnchangedWithCrLfUpToTheMarker) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string bytes;
  };
  const Case cases[] = {
      {"marker first gives nothing", {kMarker, "after"}, ""},
      {"plain lines", {"uno", "due", kMarker}, "uno\r\ndue\r\n"},
      {"empty entries are empty lines", {"", "x", "", kMarker}, "\r\nx\r\n\r\n"},
      {"blanks and trailing blanks kept", {"     ", "[aderenze] ", " " + std::string(15, ' '), kMarker},
       "     \r\n[aderenze] \r\n                \r\n"},
      {"entries behind the marker are never written", {"a", kMarker, "b", kMarker, "c"}, "a\r\n"},
      {"marker inside a longer line", {kMarker + " ", "x" + kMarker, kMarker}, kMarker + " \r\nx" + kMarker + "\r\n"},
      {"marker in another case", {"Riferimento fine del file", "RIFERIMENTO FINE DEL FILE", kMarker},
       "Riferimento fine del file\r\nRIFERIMENTO FINE DEL FILE\r\n"},
      {"no marker: the whole table", {"a", "b"}, "a\r\nb\r\n"},
      {"single bytes pass through", {"pi\xF9 avanti", kMarker}, "pi\xF9 avanti\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(render_text_lines(c.lines), c.bytes) << c.name;
  }
}

TEST(RenderTextLines, WindowsCharacterStaysOneByte) {
  const std::string bytes = render_text_lines({"gi\xF9", kMarker});
  ASSERT_EQ(bytes.size(), 5u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 249u);
}

class WriteTextLinesTest : public ::testing::Test {
 protected:

  std::string contents() {
    std::string out;
    EXPECT_TRUE(read_file(path_, out, uint64_t{1} << 20).is_ok());
    return out;
  }

  testing_support::TempDir scratch_;
  std::filesystem::path dir_{scratch_.path()};
  std::string path_{scratch_.file("Tarvena1_linea.txt")};
};

TEST_F(WriteTextLinesTest, WritesANewFileWhenNoneExists) {
  ASSERT_FALSE(file_exists(path_));
  ASSERT_TRUE(write_text_lines(path_, {"a", "b", kMarker}).is_ok());
  EXPECT_EQ(contents(), "a\r\nb\r\n");
}

TEST_F(WriteTextLinesTest, ALongerOlderFileIsReplacedWhole) {
  ASSERT_TRUE(write_file_atomically(path_, std::string(5000, 'z')).is_ok());
  ASSERT_TRUE(write_text_lines(path_, {"corto", kMarker}).is_ok());
  EXPECT_EQ(contents(), "corto\r\n");
}

TEST_F(WriteTextLinesTest, MarkerFirstLeavesAnEmptyFileInPlaceOfTheOldOne) {
  ASSERT_TRUE(write_file_atomically(path_, "old content\r\n").is_ok());
  ASSERT_TRUE(write_text_lines(path_, {kMarker, "never"}).is_ok());
  EXPECT_TRUE(file_exists(path_));
  EXPECT_EQ(contents(), "");
}

TEST_F(WriteTextLinesTest, AnUnwritableDirectoryIsReportedNotThrown) {
  const std::string missing = (dir_ / "no_such_dir" / "x.txt").string();
  Status status = write_text_lines(missing, {"a", kMarker});
  EXPECT_FALSE(status.is_ok());
  EXPECT_FALSE(file_exists(missing));
}

}  // namespace
}  // namespace scenpack
