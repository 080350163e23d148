// The editor's help on a description: what a field is and what will be
// stored of it (hover), the records of the section being written
// (completion, with a snippet of each record's fields), and the outline of
// the description (document symbols). All work on the Windows-1252 bytes,
// whose columns are the editor's.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

#include "lsp/editor_text.h"
#include "readers/record_catalogue.h"

namespace scenpack {

// A hover, or null when the position holds nothing to explain.
nlohmann::json hover_at(std::string_view bytes, DescriptionKind kind, EditorPosition at);

// The completion items for the section that holds the position.
nlohmann::json completions_at(std::string_view bytes, DescriptionKind kind, EditorPosition at);

// Sections, and in them the records an author looks for.
nlohmann::json symbols_of(std::string_view bytes, DescriptionKind kind);

// "pendenza, ${1:posizione}, ${2:pendenza}"
std::string record_snippet(const RecordInfo& r);

}  // namespace scenpack
