// Every tool of Kavrinol, one catalogue row each. Adding a tool means adding
// its row here (with how its window is built) and its window class on the kit.
#pragma once

#include "kit/tool_catalogue.h"

namespace kv {

const ToolCatalogue& kavrinolTools();

} // namespace kv
