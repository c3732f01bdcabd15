#include "WindowPlacement.h"

#include <QSettings>
#include <QWidget>

namespace WindowPlacement {

namespace {
QString geometryKey(const QString& key) {
    return key + QStringLiteral("/geometry");
}
} // namespace

bool restore(QWidget* window, QSettings& settings, const QString& key) {
    const QByteArray saved = settings.value(geometryKey(key)).toByteArray();
    return !saved.isEmpty() && window->restoreGeometry(saved);
}

void save(const QWidget* window, QSettings& settings, const QString& key) {
    settings.setValue(geometryKey(key), window->saveGeometry());
}

} // namespace WindowPlacement
