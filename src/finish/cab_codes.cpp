#include "finish/cab_codes.h"

namespace scenpack {

void cab_code_pass(Tables& t) { (void)t; }

}  // namespace scenpack
