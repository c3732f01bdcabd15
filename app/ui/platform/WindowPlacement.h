#pragma once

#include <QString>

class QSettings;
class QWidget;

// Keeps a window's size and position (and maximised state) from one run to the next.
namespace WindowPlacement {

// Puts the window where it was saved under `key`. A saved place that no screen shows any more
// is moved onto a screen by Qt. Returns false, leaving the window as it is, when nothing was
// saved or the saved value cannot be read.
bool restore(QWidget* window, QSettings& settings, const QString& key);

// Saves the window's size and position under `key`.
void save(const QWidget* window, QSettings& settings, const QString& key);

} // namespace WindowPlacement
