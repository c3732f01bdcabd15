// The yardstick for Trainbook's start-up: a bare Qt program that shows a main window holding
// a combo box and a calendar, prints "shown <ms> ms" as Trainbook does under
// TRAINBOOK_QUIT_AFTER_SHOW=1, and quits. Started by bench_startup beside Trainbook.

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (tick resolution), or -1.
qint64 msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startSeconds = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64((double(now.tv_sec) + now.tv_nsec / 1e9 - startSeconds) * 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    auto* users = new QComboBox(central);
    users->addItems({QStringLiteral("User01"), QStringLiteral("User02")});
    layout->addWidget(users);
    layout->addWidget(new QCalendarWidget(central), 1);
    window.setCentralWidget(central);
    window.show();
    QTimer::singleShot(0, &app, [] {
        std::printf("shown %lld ms\n", static_cast<long long>(msSinceProcessStart()));
        std::fflush(stdout);
        QApplication::quit();
    });
    return app.exec();
}
