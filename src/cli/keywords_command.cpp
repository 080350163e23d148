#include "cli/keywords_command.h"

#include "markup/json_writer.h"
#include "readers/record_catalogue.h"

namespace scenpack {
namespace {

void describe_in_json(JsonWriter& w, DescriptionKind kind) {
  w.key(description_word(kind)).begin_object().key("sections").begin_array();
  for (const std::string_view s : section_markers(kind)) w.value(s);
  w.end_array().key("records").begin_array();
  for (const RecordInfo& r : record_catalogue()) {
    if (r.description != kind) continue;
    w.begin_object().key("keyword").value(r.keyword).key("section").value(r.section);
    w.key("meaning").value(r.meaning).key("fields").begin_array();
    for (const FieldInfo& f : r.fields) {
      w.begin_object().key("name").value(f.name).key("unit").value(f.unit).key("meaning").value(f.meaning);
      w.end_object();
    }
    w.end_array().end_object();
  }
  w.end_array().end_object();
}

std::string described_in_text(DescriptionKind kind) {
  std::string out = std::string(description_word(kind)) + " description\n";
  for (const std::string_view s : section_markers(kind)) {
    out += "  " + std::string(s) + "\n";
    for (const RecordInfo& r : record_catalogue()) {
      if (r.description != kind || r.section != s) continue;
      out += "    " + std::string(r.keyword);
      for (const FieldInfo& f : r.fields) out += ", " + std::string(f.name);
      out += "\n";
    }
  }
  return out;
}

}  // namespace

std::string keywords_listing(bool json) {
  if (!json) return described_in_text(DescriptionKind::kLine) + described_in_text(DescriptionKind::kTrain);
  JsonWriter w;
  w.begin_object();
  describe_in_json(w, DescriptionKind::kLine);
  describe_in_json(w, DescriptionKind::kTrain);
  w.end_object();
  return w.text() + "\n";
}

}  // namespace scenpack
