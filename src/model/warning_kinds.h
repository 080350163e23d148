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
  }
  return {"", "", "", "", ""};  // not reached for a declared name
}

// Every warning, in the order of the table.
inline constexpr WarningName kAllWarnings[] = {
    WarningName::kEncoding,       WarningName::kUnknownKeyword, WarningName::kThirdComment,
    WarningName::kUnreadLastRecord, WarningName::kNarrowedValue, WarningName::kOutOfOrder,
    WarningName::kPastRouteEnd,
};

// The warning of that name ("unknown-keyword"), none for another text.
std::optional<WarningName> warning_named(std::string_view name);

}  // namespace scenpack
