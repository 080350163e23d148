// The names of every file a build touches, all inside one directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenpack {

struct ScenarioFiles {
  // One of the eight files: its name in the directory and what it holds.
  struct NamedFile {
    std::string name;
    const char* role;  // "the route map", ...
  };

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
    std::vector<std::string> paths;
    for (const NamedFile& f : every_file()) paths.push_back(path(f.name));
    return paths;
  }

  std::vector<NamedFile> every_file() const {
    return {{line_text(), "the line description"},   {train_text(), "the train description"},
            {notes(), "the notes"},                  {slow_order_form(), "the slow-order form"},
            {train_sheet(), "the train sheet"},      {route_map(), "the route map"},
            {records(), "the record table"},         {cells(), "the track cells"}};
  }

  // The first two of the eight files whose names are one file's name where
  // the simulator runs (Windows, which does not tell letters' case apart):
  // with NUM "linea" the track cells would be written over the route map.
  std::optional<std::pair<NamedFile, NamedFile>> clashing_files() const;

  // The longest of the eight names, in bytes.
  size_t longest_name() const;
};

// Whether Windows takes two file names for one: equal once the ASCII letters
// are compared without their case.
bool same_name_on_windows(std::string_view a, std::string_view b);

}  // namespace scenpack
