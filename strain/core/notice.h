// The words of a message box that a window shows for a computation's reason
// (OK button only).
#pragma once

#include <string>

namespace kv {

// The icon beside a notice's text.
enum class NoticeIcon { None, Exclamation };

struct Notice {
    std::string text;
    std::string title;
    NoticeIcon icon = NoticeIcon::None;
};

} // namespace kv
