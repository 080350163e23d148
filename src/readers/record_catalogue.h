// The records of the two descriptions as an author writes them: the
// sections that group them, the keyword that names each one, and its fields
// in order with their units. The readers find records by the substrings
// their keyword tables hold; this catalogue is the author's side of the same
// language, for the editor's help (hover, completion, highlighting) and for
// `scenpack keywords`. It reads and stores nothing.
#pragma once

#include <span>
#include <string_view>

namespace scenpack {

enum class DescriptionKind { kLine, kTrain };

// How a field's value is kept, for showing the value that will be stored.
enum class Stored {
  kAsWritten,     // a whole number stored as read
  kCellFromNext,  // a position: the cell p / 50 + 1 (signals, boards, slow orders)
  kCellFrom,      // a position: the cell p / 50 (gradients, speed limits, code cuts)
  kPosition,      // a position that is kept as metres
  kSpeedFifth,    // a speed kept in units of 5 km/h, rounded
  kGradientByte,  // a gradient kept as g + 100 in one byte
  kText,          // a text to the end of the line
};

struct FieldInfo {
  std::string_view name;     // as the format calls it, or a short English name
  std::string_view unit;     // "m", "km/h", "" for none
  std::string_view meaning;  // lower-case English
  Stored stored = Stored::kAsWritten;
};

struct RecordInfo {
  DescriptionKind description;
  std::string_view section;  // "[pendenze]"
  std::string_view keyword;  // as written in the embedded descriptions
  std::string_view key;      // what the reader looks for in the field (one of its substrings)
  std::string_view meaning;
  std::span<const FieldInfo> fields;
};

// Every record, the line description's first, each in the order of its
// section and its sections in the order they are written.
std::span<const RecordInfo> record_catalogue();

// The section markers of a description, in the order they are written.
std::span<const std::string_view> section_markers(DescriptionKind d);

// The record whose keyword the field names: the one written so (blanks
// around it and letter case ignored), else the first whose key the field
// holds; none when it holds no key.
const RecordInfo* record_named(DescriptionKind d, std::string_view field);

std::string_view description_word(DescriptionKind d);  // "line" or "train"

}  // namespace scenpack
