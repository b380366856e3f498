#pragma once
// The desktop's wait cursor for the length of a scope, while a long check or a search runs.

#include <QApplication>
#include <QCursor>

class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
