#pragma once

#include <QApplication>

// The hourglass for the lifetime of the object: shown when it is made, the
// previous cursor back when it goes, also when an exception leaves the scope.
class TCursorEspera {
public:
    TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorEspera() { QApplication::restoreOverrideCursor(); }
    TCursorEspera(const TCursorEspera &) = delete;
    TCursorEspera &operator=(const TCursorEspera &) = delete;
};
