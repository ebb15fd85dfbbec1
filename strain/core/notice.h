// The words of a message box that a window shows for a computation's reason
// (OK button only).
#pragma once

#include <string>

namespace kv {

struct Notice {
    std::string text;
    std::string title;
};

} // namespace kv
