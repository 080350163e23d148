#include "readers/memorizza_dati.h"

namespace scenpack {

Status memorizza_dati(Tables& t, const ScenarioFiles& files) {
  t.schede[85].testo = files.nome_scenario;
  t.schede[86].testo = files.numero_treno;
  return Status::ok();
}

}  // namespace scenpack
