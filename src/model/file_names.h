// The names of every file a build touches, all inside one directory.
#pragma once

#include <string>
#include <vector>

namespace scenpack {

struct ScenarioFiles {
  std::string dir;            // the working directory, no trailing separator needed
  std::string nome_scenario;  // "Tarvena1"
  std::string numero_treno;   // "84"

  std::string path(const std::string& name) const {
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
  }
  std::string line_text() const { return nome_scenario + "_linea.txt"; }
  std::string train_text() const { return nome_scenario + "_" + numero_treno + "-.txt"; }
  std::string train_doc(const std::string& suffix) const {
    return nome_scenario + "_" + numero_treno + "_" + suffix;
  }
  std::string notes() const { return train_doc("note.txt"); }
  std::string slow_order_form() const { return train_doc("rallentamenti.txt"); }
  std::string train_sheet() const { return train_doc("scheda_treno.txt"); }
  std::string route_map() const { return nome_scenario + "_linea.dat"; }
  std::string records() const { return nome_scenario + "_" + numero_treno + ".sim"; }
  std::string cells() const { return nome_scenario + "_" + numero_treno + ".dat"; }

  // The paths of every file a run writes, reads or deletes: the two
  // descriptions, the three documents and the three outputs.
  std::vector<std::string> every_path() const {
    return {path(line_text()),   path(train_text()), path(notes()),   path(slow_order_form()),
            path(train_sheet()), path(route_map()),  path(records()), path(cells())};
  }
};

}  // namespace scenpack
