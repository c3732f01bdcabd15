// The month-grid control as a person and its host use it: the boxes, the day numbers, the
// lines handed over by AddData, the title property and the About window.

#include "TestSupport.h"
#include "mossCalendar.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class MonthpaneTest : public ::testing::Test {
  protected:
    void make(const QDate& today) {
        cal = std::make_unique<mossCalendar>(today);
        cal->show();
        cal->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(cal.get()));
        spy = std::make_unique<QSignalSpy>(cal.get(), &mossCalendar::DateChanged);
    }
    QLabel* label(const QString& name) const {
        auto* l = cal->findChild<QLabel*>(name);
        if (!l)
            ADD_FAILURE() << "no label " << name.toStdString();
        return l;
    }
    QComboBox* combo(const char* name) const { return cal->findChild<QComboBox*>(QLatin1String(name)); }
    // The day numbers of all 42 cells, 0 for a hidden one (whose text must be "lblDate").
    std::vector<int> days() const {
        std::vector<int> out;
        for (int n = 1; n <= 42; ++n) {
            QLabel* l = label(QStringLiteral("lblDate%1").arg(n));
            if (l->isHidden()) {
                EXPECT_EQ(l->text().toStdString(), "lblDate") << "cell " << n;
                out.push_back(0);
            } else {
                out.push_back(l->text().toInt());
            }
        }
        return out;
    }
    static std::vector<int> expectedDays(int firstCell, int count) {
        std::vector<int> out(42, 0);
        for (int d = 1; d <= count; ++d)
            out[firstCell + d - 2] = d;
        return out;
    }
    // Texts of a cell's three lines, or "" when the cell's lines are hidden.
    QString lines(int cell) const {
        QStringList texts;
        bool shown = false;
        for (int line = 1; line <= 3; ++line) {
            QLabel* l = label(QStringLiteral("lbl%1_%2").arg(cell).arg(line));
            shown = shown || !l->isHidden();
            texts << l->text();
        }
        return shown ? texts.join(QLatin1Char('|')) : QString();
    }
    int shownCells() const {
        int count = 0;
        for (int n = 1; n <= 42; ++n)
            count += lines(n).isEmpty() ? 0 : 1;
        return count;
    }
    static void typeInto(QComboBox* box, const QString& text) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, text);
    }

    std::unique_ptr<mossCalendar> cal;
    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(MonthpaneTest, StartsAtTodaysMonthWithTheYearsThroughNextYearAndNoLines) {
    make(QDate(2026, 12, 7));
    EXPECT_EQ(cal->CalendarDate(), "December, 2026");
    EXPECT_EQ(combo("cbMonth")->currentText(), "December");
    QComboBox* years = combo("cbYear");
    ASSERT_EQ(years->count(), 2027 - 1998 + 1);
    EXPECT_EQ(years->itemText(0), "1998");
    EXPECT_EQ(years->itemText(years->count() - 1), "2027");
    EXPECT_EQ(years->currentText(), "2026");
    EXPECT_EQ(days(), expectedDays(3, 31)); // 1 December 2026 is a Tuesday
    EXPECT_EQ(shownCells(), 0);
}

TEST_F(MonthpaneTest, AYearBeforeTheListStillShows) {
    make(QDate(1995, 6, 20));
    EXPECT_EQ(combo("cbYear")->currentText(), "1995");
    EXPECT_EQ(cal->CalendarDate(), "June, 1995");
    EXPECT_EQ(days(), expectedDays(5, 30)); // 1 June 1995 is a Thursday
}

TEST_F(MonthpaneTest, PickingAMonthOrYearRedrawsAndTellsTheHostOnce) {
    make(QDate(2004, 6, 15));
    cal->AddData({"1"}, {"Running"}, {"Miles: 5"}, {"Time: 40:00"}, {255});
    ASSERT_EQ(spy->count(), 0);

    combo("cbMonth")->setFocus();
    QTest::keyClick(combo("cbMonth"), Qt::Key_Up);
    EXPECT_EQ(spy->count(), 1);
    EXPECT_EQ(cal->CalendarDate(), "May, 2004");
    // The lines stay until the host hands over the new month's.
    EXPECT_EQ(lines(3), "Running|Miles: 5|Time: 40:00");

    combo("cbYear")->setFocus();
    QTest::keyClick(combo("cbYear"), Qt::Key_Down);
    EXPECT_EQ(spy->count(), 2);
    EXPECT_EQ(cal->CalendarDate(), "May, 2005");
    EXPECT_EQ(days(), expectedDays(1, 31)); // 1 May 2005 is a Sunday
}

TEST_F(MonthpaneTest, TypedMonthAndYearCountAsAPickAndBadTextIsPutBack) {
    make(QDate(2004, 6, 15));
    typeInto(combo("cbMonth"), "november");
    QTest::keyClick(combo("cbMonth"), Qt::Key_Return);
    EXPECT_EQ(cal->CalendarDate(), "November, 2004");
    EXPECT_EQ(spy->count(), 1);

    typeInto(combo("cbYear"), "20x4");
    QTest::keyClick(combo("cbYear"), Qt::Key_Return);
    EXPECT_EQ(combo("cbYear")->currentText(), "2004");
    typeInto(combo("cbMonth"), "Smarch");
    QTest::keyClick(combo("cbMonth"), Qt::Key_Tab); // leaving the box ends the edit
    EXPECT_EQ(combo("cbMonth")->currentText(), "November");
    EXPECT_EQ(cal->CalendarDate(), "November, 2004");
    EXPECT_EQ(spy->count(), 1);
}

TEST_F(MonthpaneTest, AddDataPlacesDropsAndOverwritesByDay) {
    make(QDate(2004, 6, 15)); // June 2004: 30 days, day 1 in cell 3
    const QStringList nums = {"5", "31", "12", "5", "", "05", "lblDate"};
    const QStringList d1 = {"Running", "Cycling", "Weights", "Swimming", "Video", "Video", "Video"};
    const QStringList d2 = {"Miles: 5", "Miles: 20", " ", "Laps: 40", "x", "x", "x"};
    const QStringList d3 = {"Time: 40:00", "Time: 1:00:00", "Time: 30", "Time: 35:00", "t", "t", "t"};
    const QList<quint32> colors = {255, 16711680, 65280, 65535, 0, 0, 0};
    EXPECT_TRUE(cal->AddData(nums, d1, d2, d3, colors));
    EXPECT_EQ(lines(7), "Swimming|Laps: 40|Time: 35:00"); // day 5: the later item wins
    EXPECT_EQ(lines(14), "Weights| |Time: 30");           // day 12
    EXPECT_EQ(shownCells(), 2);
    // The item's own colour (darkened where it would not read on the background).
    EXPECT_EQ(label("lbl7_1")->palette().color(QPalette::WindowText).hsvHue(), 60);
    EXPECT_EQ(label("lbl14_1")->palette().color(QPalette::WindowText).hsvHue(), 120);

    // Each call starts from no lines at all.
    EXPECT_TRUE(cal->AddData({"30"}, {"Cycling"}, {"KM: 32.2"}, {"Time: 1:00:00"}, {16711680}));
    EXPECT_EQ(shownCells(), 1);
    EXPECT_EQ(lines(32), "Cycling|KM: 32.2|Time: 1:00:00");
    EXPECT_EQ(label("lbl32_1")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(cal->AddData({}, {}, {}, {}, {}));
    EXPECT_EQ(shownCells(), 0);
}

TEST_F(MonthpaneTest, AddDataWithShortListsPlacesWhatItCanAndSaysSo) {
    make(QDate(2004, 6, 15));
    EXPECT_FALSE(cal->AddData({"1", "2"}, {"Running", "Video"}, {"a", "b"}, {"c", "d"}, {255}));
    EXPECT_EQ(lines(3), "Running|a|c");
    EXPECT_EQ(lines(4), "");
}

TEST_F(MonthpaneTest, TheHostSetsTheTitlePropertyAndOnlyReadsTheDate) {
    make(QDate(2004, 6, 15));
    EXPECT_FALSE(cal->setProperty("CalendarDate", QStringLiteral("May, 2004")));
    EXPECT_EQ(cal->property("CalendarDate").toString(), "June, 2004");
    QSignalSpy changed(cal.get(), &mossCalendar::CalendarTitleChanged);
    EXPECT_TRUE(cal->setProperty("CalendarTitle", QStringLiteral("Exercise Calendar")));
    EXPECT_EQ(label("lblTitle")->text(), "Exercise Calendar");
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
