// Reading the two working texts of a build into memory, each through one
// open, for the readers.
#pragma once

#include <string>

#include "platform/disk.h"
#include "readers/description.h"

namespace scenpack {

// A description's bytes, held while the readers work on them.
struct LoadedDescription {
  RegularFileRead file;
  std::string shown;                   // the name its faults are reported under
  const std::string* given = nullptr;  // read before the build; file is then unused

  // The description as the readers take it: a view of the bytes held here,
  // valid while this object lives unchanged.
  DescriptionText text() const;
};

LoadedDescription load_description(Disk& disk, const std::string& path, const std::string& shown);

// A description read before the build (a file named on the command line):
// the bytes are taken as they are, without a copy, and must outlive the
// description.
LoadedDescription given_description(const std::string& bytes, const std::string& shown);

}  // namespace scenpack
