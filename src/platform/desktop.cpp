#include "platform/desktop.h"

namespace scenpack {
namespace {

bool desktop_on = false;

}  // namespace

void enable_desktop() { desktop_on = true; }
bool desktop_enabled() { return desktop_on; }

}  // namespace scenpack
