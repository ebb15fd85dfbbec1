// Pointer shapes for busy work and picking. The guard restores the pointer it
// replaced when it goes out of scope, on every path out of a command.
#pragma once

#include <QApplication>
#include <QCursor>

namespace kv {

class CursorGuard {
public:
    explicit CursorGuard(Qt::CursorShape shape) { QApplication::setOverrideCursor(QCursor(shape)); }
    ~CursorGuard() { QApplication::restoreOverrideCursor(); }
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;
};

// The hourglass over the whole program while a command works.
class BusyCursor : public CursorGuard {
public:
    BusyCursor() : CursorGuard(Qt::WaitCursor) {}
};

} // namespace kv
