#include "StartupCheck.h"

#include "Connection.h"
#include "DbError.h"
#include "Dialogs.h"

#include <QThread>
#include <QWidget>

StartupCheck::StartupCheck(const QString& path, QWidget* window)
    : QObject(nullptr), m_path(path), m_window(window) {}

StartupCheck::~StartupCheck() {
    stop();
}

bool StartupCheck::report(QWidget* parent, const QString& path, const Startup::Result& r) {
    if (r.state == Startup::State::Ready && !r.warning.isEmpty()) {
        Dialogs::message(parent, r.warning);
    } else if (r.state == Startup::State::Refused && !Connection::exists(path)) {
        Dialogs::message(parent, r.message);
    } else if (r.state == Startup::State::Damaged && r.newestBackup.isEmpty()) {
        Dialogs::message(
            parent,
            r.message +
                QStringLiteral("\n\nThere is no good copy of it in '%1'.").arg(Startup::backupFolder(path)));
    } else if (r.state == Startup::State::Damaged &&
               Dialogs::ask(parent,
                            r.message + QStringLiteral("\n\nPut the newest good copy, '%1', in its place? "
                                                       "The damaged file is kept beside it.")
                                            .arg(r.newestBackup))) {
        try {
            const QString aside = Startup::restore(path, r.newestBackup);
            Dialogs::message(parent, aside.isEmpty() ? QStringLiteral("The copy is in place.")
                                                     : QStringLiteral("The copy is in place. The damaged "
                                                                      "file was kept as '%1'.")
                                                           .arg(aside));
            return true;
        } catch (const std::exception& e) {
            Dialogs::message(parent, describe(e));
        }
    }
    return false;
}

void StartupCheck::start() {
    if (m_thread)
        return;
    m_running = true;
    m_thread.reset(QThread::create([this] {
        Startup::Result result;
        try {
            result = Startup::checkContents(m_path, &m_stop);
        } catch (const std::exception& e) {
            result.warning = describe(e);
        }
        // Delivered on the window's thread; dropped if this object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, result] { done(result); }, Qt::QueuedConnection);
    }));
    m_thread->setObjectName(QStringLiteral("StartupCheck"));
    m_thread->start(QThread::LowPriority);
}

void StartupCheck::stop() {
    m_stop.stop();
    if (m_thread)
        m_thread->wait();
    m_running = false;
}

bool StartupCheck::running() const {
    return m_running;
}

void StartupCheck::done(const Startup::Result& result) {
    if (m_stop.stopped())
        return;
    m_running = false;
    emit finished(report(m_window, m_path, result));
}
