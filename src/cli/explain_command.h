// scenpack explain: what a fault code or a warning means, what causes it
// and how to mend it, from the tables the author's guide lists.
#pragma once

#include <string>
#include <string_view>

namespace scenpack {

struct Explanation {
  std::string text;   // the explanation, lines ending in "\n"; empty on an error
  std::string error;  // why `what` names nothing, with a suggestion when one is near
};

// `what` is a fault code ("16", "1250") or a warning's name, with or
// without its "-W" or "-Wno-" ("unknown-keyword", "-Wunknown-keyword").
Explanation explain(std::string_view what);

}  // namespace scenpack
