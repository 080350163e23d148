#include "view/compiled_scenario.h"

namespace scenpack {

CompiledScenario compiled_from_tables(const Tables& t) {
  CompiledScenario c{t.nome_scenario, t.numero_treno, t.celle, t.schede, std::nullopt};
  return c;
}

}  // namespace scenpack
