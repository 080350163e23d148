#include "sources/emission.h"

#include "sources/documents.h"
#include "sources/line_text.h"
#include "sources/text_lines.h"
#include "sources/train_text.h"

namespace scenpack {

std::vector<ScenarioText> scenario_texts(const ScenarioFiles& files) {
  // The order in which the five texts are written.
  return {
      {files.line_text(), render_text_lines(line_description_lines())},
      {files.train_text(), render_text_lines(train_description_lines())},
      {files.notes(), render_text_lines(notes_lines())},
      {files.slow_order_form(), render_text_lines(slow_order_form_lines())},
      {files.train_sheet(), render_text_lines(train_sheet_lines())},
  };
}

}  // namespace scenpack
