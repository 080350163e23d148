#include "driver/build.h"

#include "finish/cab_codes.h"
#include "finish/check_codes.h"
#include "finish/output_files.h"
#include "platform/message_box.h"
#include "readers/memorizza_dati.h"

namespace scenpack {

void errore(Tables& t, int32_t code) {
  record_fault(t.errore, code);
  show_message_box(" Errore n. " + std::to_string(code));
}

BuildOutcome finish_build(Tables& t, const ScenarioFiles& files) {
  BuildOutcome out;
  // With the route length never read there are no cells: the pass sees none
  // and cell 1's reserved values are skipped (store_check_codes).
  cab_code_pass(t);
  if (int32_t stop = store_check_codes(t); stop != 0) {
    errore(t, stop);
    out.stop_code = stop;
    return out;
  }
  out.status = write_output_files(t, files, &out.files_written);
  return out;
}

BuildOutcome memorizza_percorso(Tables& t, const ScenarioFiles& files, int32_t p) {
  t.modo_percorso = p;
  t.errore.codice_errore = 0;
  t.errore.where.reset();
  clear_records(t);
  if (Status s = memorizza_dati(t, files); !s.is_ok()) {
    BuildOutcome out;
    out.status = s;
    return out;
  }
  return finish_build(t, files);
}

}  // namespace scenpack
