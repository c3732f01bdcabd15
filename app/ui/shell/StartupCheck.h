#pragma once

#include "Startup.h"
#include "StopFlag.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QThread;
class QWidget;

// The start-up checks of the diary as the person sees them. report() shows what a check
// found: a file that could not be made, a copy that could not be kept, damage with the offer
// of the newest good copy. start(), called once the main window is shown, runs the checks
// that read the whole file (Startup::checkContents) on a thread of their own and reports
// their finding when they end; the window stays usable meanwhile. stop() (at quit) ends them
// within a moment, leaving no copy half made.
class StartupCheck : public QObject {
    Q_OBJECT
  public:
    // `window` is the parent of the messages shown after the window opened.
    StartupCheck(const QString& path, QWidget* window);
    // Stops the work and waits for its thread.
    ~StartupCheck() override;

    // Shows what `result` says about the database at `path`, offering the newest good copy of
    // a damaged file. Returns true when that copy was put in place of the file.
    static bool report(QWidget* parent, const QString& path, const Startup::Result& result);

    // Starts the whole-file checks; once only.
    void start();
    // Asks the checks to stop and waits for their thread; their finding is then not shown.
    void stop();
    bool running() const;

  signals:
    // The checks ended and what they found was shown. `restored`: a good copy now stands in
    // place of the damaged file, so what the windows show must be read again.
    void finished(bool restored);

  private:
    void done(const Startup::Result& result);

    QString m_path;
    QPointer<QWidget> m_window;
    StopFlag m_stop;
    std::unique_ptr<QThread> m_thread;
    bool m_running = false;
};
