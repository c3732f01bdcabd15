#include "FormLoad.h"

#include <QEvent>
#include <QWidget>

FormLoad::FormLoad(QWidget* window, std::function<void()> load) : QObject(window), m_load(std::move(load)) {
    window->installEventFilter(this);
}

void FormLoad::run() {
    if (m_done)
        return;
    // Marked first: a load step that shows a dialog must not start itself again.
    m_done = true;
    m_load();
}

bool FormLoad::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == parent())
        run();
    return QObject::eventFilter(watched, event);
}
