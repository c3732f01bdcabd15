// The calendar report window on a real database: opened from the main window, paged through
// months with the control's boxes, refreshed on activation, following user and unit.

#include "Clock.h"
#include "GraphData.h"
#include "MainForm.h"
#include "frmCalendarRpt.h"
#include "mossCalendar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>

namespace {

class CalendarWindowTest : public DiaryData {
  protected:
    void SetUp() override {
        DiaryData::SetUp();
        Clock::setFixed(QDateTime(QDate(2004, 3, 15), QTime(12, 0)));
        exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)");
        exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Bob', 0)");
        run(1, "2004-03-05", 5, 8.05, "40:00");
        swim(2, "2004-03-05", 40, "35:00");
        other(3, "2004-03-12", "Weights", "3 sets", "30:00");
        other(4, "2004-03-13", "Yoga", nullptr, "1:00:00");
        ride(5, "2004-03-31", 20.5, 33, "1:05:00");
        video(6, "2004-04-01", "Abs", "20:00");
        run(7, "2004-03-07", 6, 9.7, "48:00", "Bob");
    }
    void TearDown() override {
        main.reset();
        standalone.reset();
        DiaryData::TearDown();
    }

    frmCalendarRpt* openFromMainForm() {
        main = std::make_unique<MainForm>();
        main->show();
        QApplication::processEvents();
        main->action("mnuCalendar")->trigger();
        auto* w = main->findChild<frmCalendarRpt*>("frmCalendarRpt");
        if (w)
            activate(w);
        return w;
    }
    // Makes `w` the active window (a child window counts as active for qWaitForWindowActive
    // while its parent is, so wait for the application's own answer).
    static void activate(QWidget* w) {
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }));
        QApplication::processEvents();
    }
    // The texts of a cell's three lines joined by "|", or "" when they are hidden.
    static QString cell(QWidget* w, int n) {
        QStringList texts;
        for (int line = 1; line <= 3; ++line) {
            auto* l = w->findChild<QLabel*>(QStringLiteral("lbl%1_%2").arg(n).arg(line));
            if (!l || l->isHidden())
                return QString();
            texts << l->text();
        }
        return texts.join(QLatin1Char('|'));
    }
    static QColor firstLineColor(QWidget* w, int n) {
        return w->findChild<QLabel*>(QStringLiteral("lbl%1_1").arg(n))->palette().color(QPalette::WindowText);
    }
    // Every cell that shows lines, as "cell: lines".
    static QStringList shown(QWidget* w) {
        QStringList out;
        for (int n = 1; n <= 42; ++n)
            if (const QString c = cell(w, n); !c.isEmpty())
                out << QStringLiteral("%1: %2").arg(n).arg(c);
        return out;
    }

    std::unique_ptr<MainForm> main;
    std::unique_ptr<frmCalendarRpt> standalone;
};

// March 2004 begins on a Monday (day d in cell d + 1), April 2004 on a Thursday (cell d + 4).
TEST_F(CalendarWindowTest, OpensFromTheMenuAtTodaysMonthAndPagesThroughMonths) {
    frmCalendarRpt* w = openFromMainForm();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(find<mossCalendar>(w, "mossCalendar1")->CalendarDate(), "March, 2004");
    const QStringList march = {"6: Swimming|Laps: 40|Time: 35:00", "13: Weights|3 sets|Time: 30:00",
                               "14: Yoga| |Time: 1:00:00", "32: Cycling|Miles: 20.5|Time: 1:05:00"};
    EXPECT_EQ(shown(w), march);
    // The stored colours are blue-green-red numbers: 65535 is yellow (darkened to read on
    // the light background), 16711680 blue.
    EXPECT_EQ(firstLineColor(w, 6).hsvHue(), 60);
    EXPECT_EQ(firstLineColor(w, 32), QColor(0, 0, 255));
    shot(w, "calendar-march-2004");

    auto* month = find<QComboBox>(w, "cbMonth");
    month->setFocus();
    QTest::keyClick(month, Qt::Key_Down);
    EXPECT_EQ(find<mossCalendar>(w, "mossCalendar1")->CalendarDate(), "April, 2004");
    EXPECT_EQ(shown(w), QStringList{"5: Video|Abs|Time: 20:00"});

    auto* year = find<QComboBox>(w, "cbYear");
    year->setFocus();
    QTest::keyClick(year, Qt::Key_Down);
    EXPECT_EQ(find<mossCalendar>(w, "mossCalendar1")->CalendarDate(), "April, 2005");
    EXPECT_EQ(shown(w), QStringList());
    shot(w, "calendar-empty-month");

    // A second choice of the command raises the same window.
    activate(main.get());
    main->action("mnuCalendar")->trigger();
    EXPECT_EQ(main->findChildren<frmCalendarRpt*>().size(), 1);
    EXPECT_EQ(find<mossCalendar>(w, "mossCalendar1")->CalendarDate(), "April, 2005");

    // Esc closes it; the next opening starts afresh at today's month.
    QPointer<frmCalendarRpt> first(w);
    activate(w);
    QTest::keyClick(w, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    main->action("mnuCalendar")->trigger();
    w = main->findChild<frmCalendarRpt*>("frmCalendarRpt");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(find<mossCalendar>(w, "mossCalendar1")->CalendarDate(), "March, 2004");
    EXPECT_EQ(cell(w, 6), "Swimming|Laps: 40|Time: 35:00");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(CalendarWindowTest, RefillsOnActivationAndFollowsUserAndUnit) {
    frmCalendarRpt* w = openFromMainForm();
    ASSERT_NE(w, nullptr);

    // A workout entered while the window stood behind the main window shows on return.
    activate(main.get());
    run(8, "2004-03-20", 3.1, 5, "25:00");
    activate(w);
    EXPECT_EQ(cell(w, 21), "Running|Miles: 3.1|Time: 25:00");

    // The main window's unit switches the distances at once.
    main->action("mnuMiles")->trigger();
    EXPECT_FALSE(w->miles());
    EXPECT_EQ(cell(w, 21), "Running|KM: 5|Time: 25:00");
    EXPECT_EQ(cell(w, 32), "Cycling|KM: 33|Time: 1:05:00");

    // Choosing Bob in the main window shows his month (and his unit, kilometres).
    main->cbUsers->setCurrentIndex(main->cbUsers->findText("Bob"));
    QApplication::processEvents();
    EXPECT_EQ(shown(w), QStringList{"8: Running|KM: 9.7|Time: 48:00"});
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(CalendarWindowTest, AFailedReadShowsAnEmptyMonthAndOneMessage) {
    FixedState state("Ann", true);
    standalone = std::make_unique<frmCalendarRpt>(state);
    standalone->setAttribute(Qt::WA_DeleteOnClose, false);
    standalone->show();
    activate(standalone.get());
    ASSERT_EQ(cell(standalone.get(), 6), "Swimming|Laps: 40|Time: 35:00");

    ASSERT_TRUE(QFile::rename(dir() + "/Trainbook.db", dir() + "/moved.db"));
    standalone->FillCalendar();
    EXPECT_EQ(shown(standalone.get()), QStringList());
    EXPECT_TRUE(messagesAre({"Could not retrieve workouts - * - In frmCalendarRpt FillCalendar"}));

    // Coming back to the window does not repeat the message while the file is still missing.
    QWidget other;
    other.show();
    activate(&other);
    activate(standalone.get());
    EXPECT_EQ(messages.size(), 1);

    // Once the file is back, the month fills again.
    ASSERT_TRUE(QFile::rename(dir() + "/moved.db", dir() + "/Trainbook.db"));
    activate(&other);
    activate(standalone.get());
    EXPECT_EQ(cell(standalone.get(), 6), "Swimming|Laps: 40|Time: 35:00");
    EXPECT_EQ(messages.size(), 1);
}

} // namespace
