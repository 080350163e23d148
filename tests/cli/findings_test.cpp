#include "cli/findings.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Findings, SourceLineWithAnyLineEnd) {
  const SourceLines text(std::string_view("one\r\ntwo\nthree\rfour"));
  EXPECT_EQ(text.line(1), "one");
  EXPECT_EQ(text.line(2), "two");
  EXPECT_EQ(text.line(3), "three");
  EXPECT_EQ(text.line(4), "four");
  EXPECT_EQ(text.line(5), "");
  EXPECT_EQ(text.line(0), "");
  EXPECT_EQ(SourceLines(std::string_view("a\n")).line(2), "");
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

TEST(Findings, WarningsCarryTheirNameAndRelatedPlacesFollowAsNotes) {
  Diagnostic d{Severity::kError, FaultCode::kSignalOccupied, 10290, SourceLocation{"treno.txt", 2, 9},
               "the signal lands in cell 207, which holds a text board"};
  d.related.push_back(RelatedPlace{SourceLocation{"linea.txt", 39, 22}, "the text board placed there"});
  EXPECT_EQ(finding_text(d, "treno\nsegnale, 10290\n"),
            "treno.txt:2:9: error: Errore n. 16, posizione 10290: the signal lands in cell 207, which holds a "
            "text board\n"
            "segnale, 10290\n"
            "        ^\n"
            "linea.txt:39:22: note: the text board placed there\n");
  Diagnostic w{Severity::kWarning, FaultCode::kNone, 0, SourceLocation{"linea.txt", 7, 1},
               "\"pendeza\" names no record", WarningName::kUnknownKeyword};
  w.fix = Fix{SourceLocation{"linea.txt", 7, 1}, 8, "pendenza"};
  EXPECT_EQ(finding_header(w), "linea.txt:7:1: warning: \"pendeza\" names no record [-Wunknown-keyword]");
  EXPECT_EQ(findings_json({d, w}),
            "[{\"file\": \"treno.txt\", \"line\": 2, \"column\": 9, \"severity\": \"error\", \"code\": 16, "
            "\"position\": 10290, \"message\": \"the signal lands in cell 207, which holds a text board\", "
            "\"related\": [{\"file\": \"linea.txt\", \"line\": 39, \"column\": 22, \"message\": \"the text board "
            "placed there\"}]},\n"
            " {\"file\": \"linea.txt\", \"line\": 7, \"column\": 1, \"severity\": \"warning\", \"code\": 0, "
            "\"position\": 0, \"message\": \"\\\"pendeza\\\" names no record\", \"warning\": \"unknown-keyword\", "
            "\"related\": [], \"fix\": {\"file\": \"linea.txt\", \"line\": 7, \"column\": 1, \"end_column\": 8, "
            "\"replacement\": \"pendenza\"}}]\n");
}

TEST(Findings, EveryWarningHasAUniqueNameAndItsExplanation) {
  for (WarningName w : kAllWarnings) {
    const WarningKind k = warning_kind(w);
    EXPECT_FALSE(k.summary.empty() || k.explanation.empty() || k.cause.empty() || k.fix.empty()) << k.name;
    EXPECT_EQ(warning_named(k.name), w) << k.name;
  }
  EXPECT_EQ(warning_named("no-such-warning"), std::nullopt);
}

}  // namespace
}  // namespace scenpack
