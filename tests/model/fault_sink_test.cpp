#include "model/fault_sink.h"

#include <gtest/gtest.h>

#include <limits>

namespace scenpack {
namespace {

// Every fault reaches the error state (the last one stands) and the list;
// a fault whose code sets no position keeps the state's old position but
// lists and prints none of its own.
TEST(FaultSink, RecordsTheLastFaultAndListsEvery) {
  ErrorState state;
  FaultSink sink(state, FaultPolicy::kStopAtFirst);
  sink.fault(FaultCode::kSignalOccupied, 2550, SourceLocation{"t.txt", 19, 10});
  sink.warning(WarningName::kUnknownKeyword, SourceLocation{"t.txt", 20, 1}, "typo");
  sink.fault(FaultCode::kReadingFault, 99, SourceLocation{"t.txt", 21, 3}, "not a number: \"x\"");
  EXPECT_EQ(state.codice_errore, 25);
  EXPECT_EQ(state.posizione_errore, 2550);
  EXPECT_EQ(fault_message(state), "scenpack:t.txt:21:3: Errore n. 25, posizione 0: not a number: \"x\"");
  ASSERT_EQ(sink.diagnostics().size(), 3u);
  EXPECT_EQ(sink.errors(), 2u);
  EXPECT_EQ(sink.warnings(), 1u);
  EXPECT_EQ(sink.diagnostics()[0].position, 2550);
  EXPECT_EQ(sink.diagnostics()[0].message, "signal on an occupied cell");
  EXPECT_EQ(sink.diagnostics()[2].position, 0);
  EXPECT_FALSE(sink.goes_on());
}

// The build's sink: each fault still reaches the error state and is
// counted, but only the warnings and notes are kept in the list.
TEST(FaultSink, ListsNoErrorsWhenAskedNotTo) {
  ErrorState state;
  FaultSink sink(state, FaultPolicy::kStopAtFirst, std::numeric_limits<size_t>::max(), Listing::kNoErrors);
  sink.fault(FaultCode::kSignalOccupied, 2550, SourceLocation{"t.txt", 19, 10});
  sink.warning(WarningName::kUnknownKeyword, SourceLocation{"t.txt", 20, 1}, "typo");
  sink.fault(FaultCode::kSlowdownPointTaken, 4000);
  sink.note(SourceLocation{"t.txt", 21, 1}, "see here");
  EXPECT_EQ(state.codice_errore, 13);
  EXPECT_EQ(state.posizione_errore, 4000);
  EXPECT_EQ(sink.errors(), 2u);
  ASSERT_EQ(sink.diagnostics().size(), 2u);
  EXPECT_EQ(sink.diagnostics()[0].severity, Severity::kWarning);
  EXPECT_EQ(sink.diagnostics()[1].severity, Severity::kNote);
}

// A fault of no description (the cab-code pass) after one found in a
// description: the message loses the other's place and text, and check's
// list gives it its code's explanation and, when the code sets one, its
// own position.
TEST(FaultSink, FaultOfNoDescriptionReplacesPlaceAndText) {
  for (Listing listing : {Listing::kEverything, Listing::kNoErrors}) {
    ErrorState state;
    FaultSink sink(state, FaultPolicy::kGoOn, std::numeric_limits<size_t>::max(), listing);
    sink.fault(FaultCode::kReadingFault, 0, SourceLocation{"t.txt", 21, 3}, "not a number: \"x\"");
    sink.fault(FaultCode::kStartWindowTaken, 4050);
    EXPECT_EQ(fault_message(state),
              "scenpack: Errore n. 12, posizione 4050: no free cell for a code point before a slow order start");
    sink.fault(FaultCode::kRouteTooLong, 77);
    EXPECT_EQ(fault_message(state), "scenpack: Errore n. 1, posizione 0: route length above 1000000");
    EXPECT_EQ(state.posizione_errore, 4050);
    EXPECT_EQ(sink.errors(), 3u);
    if (listing == Listing::kNoErrors) {
      EXPECT_TRUE(sink.diagnostics().empty());
      continue;
    }
    ASSERT_EQ(sink.diagnostics().size(), 3u);
    EXPECT_EQ(sink.diagnostics()[1].position, 4050);
    EXPECT_EQ(sink.diagnostics()[1].message, "no free cell for a code point before a slow order start");
    EXPECT_TRUE(sink.diagnostics()[1].where.file.empty());
    EXPECT_EQ(sink.diagnostics()[2].position, 0);
    EXPECT_EQ(sink.diagnostics()[2].message, "route length above 1000000");
  }
}

// The build's sink words only the last fault of a pass: the words, place
// and related places reach the error state, its code and position stay and
// nothing more is counted or listed.
TEST(FaultSink, SaysTheLastFaultInMoreWords) {
  ErrorState state;
  FaultSink sink(state, FaultPolicy::kStopAtFirst, std::numeric_limits<size_t>::max(), Listing::kNoErrors);
  EXPECT_FALSE(sink.lists_errors());
  sink.fault(FaultCode::kStartWindowTaken, 12050);
  sink.say_last(SourceLocation{"t.txt", 4, 16}, "no free cell for a code point 5 to 7 cells before ...",
                {RelatedPlace{SourceLocation{"l.txt", 5, 18}, "the speed board placed there"}});
  EXPECT_EQ(state.codice_errore, 12);
  EXPECT_EQ(state.own_position, 12050);
  EXPECT_EQ(state.said, "no free cell for a code point 5 to 7 cells before ...");
  ASSERT_EQ(state.related.size(), 1u);
  EXPECT_EQ(state.related[0].where.file, "l.txt");
  EXPECT_EQ(fault_message(state),
            "scenpack:t.txt:4:16: Errore n. 12, posizione 12050: no free cell for a code point before a slow order "
            "start");
  EXPECT_EQ(sink.errors(), 1u);
  EXPECT_TRUE(sink.diagnostics().empty());
}

TEST(FaultSink, GoesOnUpToItsLimit) {
  ErrorState state;
  FaultSink sink(state, FaultPolicy::kGoOn, 2);
  EXPECT_TRUE(sink.goes_on());
  sink.fault(FaultCode::kStationOffCell, 4525, SourceLocation{"t.txt", 3, 10});
  EXPECT_TRUE(sink.goes_on());
  sink.fault(FaultCode::kStationLength, 4500, SourceLocation{"t.txt", 4, 20});
  EXPECT_FALSE(sink.goes_on());
  sink.fault(FaultCode::kChainageOffCell);
  sink.warning(WarningName::kUnknownKeyword, SourceLocation{"t.txt", 5, 1}, "not listed");
  EXPECT_EQ(sink.diagnostics().size(), 2u);
  EXPECT_EQ(state.codice_errore, 2);  // still recorded
  EXPECT_FALSE(state.where.has_value());
}

TEST(FaultKinds, EveryCodeHasItsExplanation) {
  EXPECT_EQ(explanation(14), "");  // there is no code 14
  EXPECT_EQ(explanation(23), "");
  for (int32_t code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102,
                       103, 1250, 1251}) {
    EXPECT_FALSE(explanation(code).empty()) << code;
  }
}

}  // namespace
}  // namespace scenpack
