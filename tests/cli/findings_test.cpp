#include "cli/findings.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Findings, SourceLineWithAnyLineEnd) {
  const std::string_view text = "one\r\ntwo\nthree\rfour";
  EXPECT_EQ(source_line(text, 1), "one");
  EXPECT_EQ(source_line(text, 2), "two");
  EXPECT_EQ(source_line(text, 3), "three");
  EXPECT_EQ(source_line(text, 4), "four");
  EXPECT_EQ(source_line(text, 5), "");
}

TEST(Findings, CaretLinesUpUnderTabsAndPlacesAreShortenedWhenUnknown) {
  const Diagnostic d{Severity::kError, FaultCode::kSignalOccupied, 2550, SourceLocation{"t.txt", 2, 10},
                     "signal on an occupied cell"};
  EXPECT_EQ(finding_text(d, "treno\r\nsegnale,\t2550, 2\r\n"),
            "t.txt:2:10: error: Errore n. 16, posizione 2550: signal on an occupied cell\n"
            "segnale,\t2550, 2\n"
            "        \t^\n");
  const Diagnostic warning{Severity::kWarning, FaultCode::kNone, 0, SourceLocation{"t.txt", 3, 0}, "odd"};
  EXPECT_EQ(finding_text(warning, "a\nb\nc\n"), "t.txt:3: warning: odd\n");
  const Diagnostic pass{Severity::kError, FaultCode::kStartWindowTaken, 2550, SourceLocation{}, "no cell"};
  EXPECT_EQ(finding_header(pass), "scenpack: error: Errore n. 12, posizione 2550: no cell");
  EXPECT_EQ(summary_line(1, 2), "1 error, 2 warnings");
}

}  // namespace
}  // namespace scenpack
