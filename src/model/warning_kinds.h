// The warnings: what the build accepts but an author almost never means.
// Each has a name (printed "[-Wname]", silenced with "-Wno-name") and, in
// one table beside the fault codes', what it says, what causes it and how
// to mend it: what `scenpack explain NAME` prints and the author's guide
// lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scenpack {

enum class WarningName : uint8_t {
  kNone = 0,  // not a warning (an error or a note)
  kEncoding,
  kUnknownKeyword,
  kThirdComment,
  kUnreadLastRecord,
  kNarrowedValue,
  kOutOfOrder,
  kPastRouteEnd,
  kNoGeneralSection,
  kUnendedGeneralSection,
  kExtraFields,
  kUnquotedComma,
  kCurveSide,
  kSpeedStep,
  kTimeOutOfRange,
  kHeadingNamesRecord,
  kCommentedRecord,
  kCurveOverlap,
  kTunnelInTunnel,
  kGradientSameCell,
};

struct WarningKind {
  std::string_view name;     // "unknown-keyword"
  std::string_view summary;  // one line
  std::string_view explanation;
  std::string_view cause;
  std::string_view fix;
};

// The one table of the warnings. No default: a new name does not compile
// without its entry (-Wswitch).
constexpr WarningKind warning_kind(WarningName w) {
  switch (w) {
    case WarningName::kNone: return {"", "", "", "", ""};
    case WarningName::kEncoding:
      return {"encoding", "a description written in UTF-8",
              "The descriptions are single-byte Windows-1252 texts. A UTF-8 byte-order mark or a UTF-8 "
              "character is read byte by byte, so an accented letter becomes two or three characters in "
              "the simulator.",
              "The description was saved by an editor set to UTF-8.",
              "Save the description as Windows-1252 (also called ANSI or Western European)."};
    case WarningName::kUnknownKeyword:
      return {"unknown-keyword", "a keyword field that names no record",
              "Between records the build looks for the keywords that start a record. A field with a "
              "letter that names none is passed over, with everything up to the next keyword.",
              "A misspelt keyword (pendeza for pendenza), or a record's numbers continuing past its last "
              "field.",
              "Spell the keyword as the author's guide lists it; comment out text that is meant as a note."};
    case WarningName::kThirdComment:
      return {"third-comment", "a third comment field in a row is read as data",
              "At most two comment fields in a row are skipped; a third one in a row that names a record "
              "is read as that record.",
              "Three or more commented lines in a row, the last naming a record.",
              "Put a line without a record's keyword between the comments, or remove the record's "
              "keyword from the commented text."};
    case WarningName::kUnreadLastRecord:
      return {"unread-last-record", "the description ends right after a record's keyword",
              "The last field of a description is never read as a record, so a record on the last line "
              "is lost.",
              "The file ends without its closing line.",
              "End the description with its closing line (a line with no record after the last one)."};
    case WarningName::kNarrowedValue:
      return {"narrowed-value", "a value is stored with fewer bits than it was written with",
              "Some fields are stored in one byte. A value outside 0 to 255 keeps only its low bits.",
              "A value outside its field's range.",
              "Write a value that fits the field."};
    case WarningName::kOutOfOrder:
      return {"out-of-order", "a record before the one read ahead of it",
              "Gradients, curves, speed lines and adhesion lines apply from their position on in the "
              "order they are read; one written before an earlier one does not apply as written.",
              "Lines moved or copied without keeping their positions in order.",
              "Sort the records by position."};
    case WarningName::kPastRouteEnd:
      return {"past-route-end", "a record placed past the route's end",
              "The route ends at its length; a record placed beyond it never meets the train.",
              "A position with a digit too many, or a route length written too short.",
              "Place the record within the route, or lengthen the route."};
    case WarningName::kNoGeneralSection:
      return {"no-general-section", "a train description with no \"[generale]\" line",
              "The train description is read from its \"[generale]\" line on; without one nothing of it is "
              "read, and the scenario has no stations, signals, slow orders or speed lines.",
              "The heading was left out, misspelt or commented out.",
              "Put a line \"[generale]\" after the title, before the first record."};
    case WarningName::kUnendedGeneralSection:
      return {"unended-general-section", "a record of the line's body read as general data",
              "The general section of the line description runs from \"[generale]\" to the next line in "
              "square brackets. A gradient, curve, tunnel or board written before that heading is read "
              "as general data and lost.",
              "The heading after the general data (\"[pendenze]\") is missing or misspelt, or the record "
              "was written among the general data.",
              "Put a section heading such as \"[pendenze]\" after the general data, before the first "
              "record of the body."};
    case WarningName::kExtraFields:
      return {"extra-fields", "fields left on a line after a record's numbers",
              "A record reads as many numbers as it needs; what is left on its line is read as the next "
              "keyword field and passed over. A decimal comma splits a number in two: \"12,5\" is read as "
              "12 and the 5 is dropped.",
              "A decimal comma, a number too many, or a record written with a field that it does not have.",
              "Write fractions with a dot (12.5) and remove the numbers the record does not have."};
    case WarningName::kUnquotedComma:
      return {"unquoted-comma", "a comma in a station's or board's name",
              "A name runs to the next comma; the rest after an unquoted comma is read as a keyword "
              "field and passed over, so the name is cut there.",
              "A name with a comma in it.",
              "Put the name in double quotes (\"ROMA, SAN PIETRO\") or leave the comma out."};
    case WarningName::kCurveSide:
      return {"curve-side", "a curve keyword that names both sides or none",
              "A curve is a left one when its keyword field holds an \"s\" anywhere, a right one "
              "otherwise. \"curva destra 3\" holds the \"s\" of \"destra\" and is a left curve.",
              "The side written as a word, or left out.",
              "Write the side as one letter after \"curva\": curvad3 for a right curve, curvas3 for a left "
              "one."};
    case WarningName::kSpeedStep:
      return {"speed-step", "a speed limit that is not a multiple of 5 km/h",
              "Speed limits are stored in steps of 5 km/h: 97 km/h is stored as 95.",
              "A speed that is not a multiple of 5.",
              "Write the speed as a multiple of 5."};
    case WarningName::kTimeOutOfRange:
      return {"time-out-of-range", "a clock or station time out of range",
              "A time is stored as seconds from midnight: an hour above 23, or minutes or seconds above 59, "
              "run over into the next unit (25, 70, 0 becomes 26:10:00).",
              "A time written in another order or with a typo.",
              "Write the hour from 0 to 23 and the minutes and seconds from 0 to 59."};
    case WarningName::kHeadingNamesRecord:
      return {"heading-names-record", "a section heading that names a record",
              "Headings play no part in reading: every field is tested for the records' keywords, so a "
              "heading such as \"[segnale]\" is read as a signal, taking the next fields as its numbers.",
              "A heading written in the singular.",
              "Write the heading as the author's guide does (\"[segnali]\", \"[pendenze]\")."};
    case WarningName::kCommentedRecord:
      return {"commented-record", "a record's keyword after a comment on the same line",
              "A comment covers one field only, up to its comma: the fields after it on the line are read "
              "one by one, and a field that names a record is read as that record.",
              "A record commented out with a \"-\" before its keyword, while one of its later fields "
              "names a record.",
              "Remove the line, or put the \"-\" before each field that names a record."};
    case WarningName::kCurveOverlap:
      return {"curve-overlap", "a curve that starts before the map has passed the earlier ones",
              "The route map is drawn one metre at a time from where it stands: a curve that starts before the end "
              "of an earlier curve is drawn only from that end on, so it bends over fewer metres than written, or "
              "not at all.",
              "Two curves that overlap, a curve's length written too long, or a position with a typo.",
              "Start each curve at or after the end of the one before it (its position plus its length)."};
    case WarningName::kTunnelInTunnel:
      return {"tunnel-in-tunnel", "a tunnel that starts inside an earlier tunnel",
              "Each tunnel is kept in the tunnel list and gives its kind to its cells: a tunnel that starts "
              "inside another gives the cells they share its own kind, and one that starts 150 m or less after "
              "the previous tunnel's end, as one inside it does, is made kind 3.",
              "A tunnel written twice, or a position or an end with a typo.",
              "Write each tunnel once, from its start to its end, with no tunnel inside another."};
    case WarningName::kGradientSameCell:
      return {"gradient-same-cell", "a gradient that starts in a cell an earlier gradient already starts in",
              "Each gradient runs from the cell of its position up to the next gradient's cell, and every "
              "gradient fills at least one cell: when two positions fall in one cell, that cell gets the older "
              "gradient and the newer one starts a cell later.",
              "Two gradients less than 50 m apart.",
              "Keep gradients at least 50 m apart, or leave out the one that does not matter."};
  }
  return {"", "", "", "", ""};  // not reached for a declared name
}

// Every warning, in the order of the table.
inline constexpr WarningName kAllWarnings[] = {
    WarningName::kEncoding,       WarningName::kUnknownKeyword, WarningName::kThirdComment,
    WarningName::kUnreadLastRecord, WarningName::kNarrowedValue, WarningName::kOutOfOrder,
    WarningName::kPastRouteEnd, WarningName::kNoGeneralSection, WarningName::kUnendedGeneralSection,
    WarningName::kExtraFields, WarningName::kUnquotedComma, WarningName::kCurveSide, WarningName::kSpeedStep,
    WarningName::kTimeOutOfRange, WarningName::kHeadingNamesRecord, WarningName::kCommentedRecord,
    WarningName::kCurveOverlap, WarningName::kTunnelInTunnel, WarningName::kGradientSameCell,
};

// The warning of that name ("unknown-keyword"), none for another text.
std::optional<WarningName> warning_named(std::string_view name);

}  // namespace scenpack
