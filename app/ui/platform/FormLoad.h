#pragma once

#include <QObject>
#include <functional>

class QWidget;

// A window's load step, run once: when the window is first shown, or earlier when an opening
// operation needs the lists filled before it writes the fields. Every window that loads lists
// or settings owns one, instead of keeping its own flag and showEvent override:
//
//     m_formLoad = new FormLoad(this, [this] { load(); });
//     void Form_Load() { m_formLoad->run(); }
class FormLoad : public QObject {
    Q_OBJECT
  public:
    // Watches `window` (which owns this object) for its first Show.
    FormLoad(QWidget* window, std::function<void()> load);

    // Runs the load step unless it has run already.
    void run();
    bool done() const { return m_done; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> m_load;
    bool m_done = false;
};
