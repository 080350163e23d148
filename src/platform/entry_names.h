// The system's part of same_file(), behind the one implementation of its
// rule in same_file.cpp: the identity of what a path reaches (a directory
// included), a path cut into its directory and last name, and whether two
// names of entries name the same entry.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/file_system.h"

namespace scenpack::entry_names {

std::optional<FileIdentity> identity_of(const std::string& path);
std::pair<std::string, std::string> split_last_name(const std::string& path);
bool same_entry_name(const std::string& a, const std::string& b);

}  // namespace scenpack::entry_names
