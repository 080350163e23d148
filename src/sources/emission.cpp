#include "sources/emission.h"

#include "sources/documents.h"
#include "sources/line_text.h"
#include "sources/text_writer.h"
#include "sources/train_text.h"

namespace scenpack {

Status emit_scenario_texts(const ScenarioFiles& files, std::vector<std::string>* written) {
  struct Text {
    std::string name;
    const std::vector<std::string>& lines;
  };
  // dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda.
  const Text texts[] = {
      {files.line_text(), line_description_lines()},
      {files.train_text(), train_description_lines()},
      {files.notes(), notes_lines()},
      {files.slow_order_form(), slow_order_form_lines()},
      {files.train_sheet(), train_sheet_lines()},
  };
  for (const Text& text : texts) {
    Status status = write_text_lines(files.path(text.name), text.lines);
    if (!status.is_ok()) return status;
    if (written != nullptr) written->push_back(text.name);
  }
  return Status::ok();
}

}  // namespace scenpack
