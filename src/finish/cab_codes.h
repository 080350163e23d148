// The cab-code pass: code points before signals ahead of a slowdown warning,
// before every slowdown start and along slow slowdowns.
#pragma once

#include "driver/tables.h"

namespace scenpack {

void cab_code_pass(Tables& t);

}  // namespace scenpack
