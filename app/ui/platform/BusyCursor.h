#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor while long work runs on the window's thread (a report of a million
// workouts, a PDF of thousands of pages, a copy of a large database): set when made, put
// back when it goes out of scope, also when the work throws. Keep messages out of its scope,
// so that a message box never shows the wait cursor.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
