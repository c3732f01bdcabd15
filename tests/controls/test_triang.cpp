// The pace/time calculator: its arithmetic as a table of edits, then the control driven as a
// person uses it, with real keys, clicks and pastes.
#include "PaceMath.h"
#include "PrivateLibrary.h"
#include "SharedState.h"
#include "TestSupport.h"
#include "Triangulator.h"
#include "frmTriang.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using PaceMath::Box;
const char* const Boxes[] = {"txtMiles", "txtKM", "txtTime", "txtMilePace", "txtKMPace"};
const bool Settings[][2] = {{true, true}, {true, false}, {false, true}, {false, false}}; // miles, Pace mode

// The box the distance is typed into, and the other box that takes input.
Box distanceBox(bool miles) {
    return miles ? Box::Miles : Box::KM;
}
Box secondInput(bool miles, bool paceMode) {
    return paceMode ? Box::Time : (miles ? Box::MilePace : Box::KMPace);
}
const char* name(Box b) {
    return Boxes[int(b)];
}

// --- The arithmetic: each change as the control applies it -------------------------------

// The boxes after each "box=text" change of `typed` in turn, starting empty.
QString worked(bool miles, bool paceMode, const QString& typed) {
    PaceMath::Fields f;
    for (const QString& entry : typed.split('|')) {
        const auto box =
            Box(QStringList(std::begin(Boxes), std::end(Boxes)).indexOf(entry.section('=', 0, 0)));
        f[box] = entry.section('=', 1);
        f = PaceMath::afterChange(f, box, miles, paceMode);
    }
    return QStringList(std::begin(f.text), std::end(f.text)).join('|');
}

struct Calc {
    const char* name;
    bool miles;
    bool paceMode;
    const char* typed;    // "box=text|box=text...", changed in that order
    const char* expected; // the five boxes afterwards
};

class Calculates : public ::testing::TestWithParam<Calc> {};

TEST_P(Calculates, EveryBoxShowsTheWorkedValue) {
    const Calc& c = GetParam();
    EXPECT_EQ(worked(c.miles, c.paceMode, QString::fromUtf8(c.typed)), c.expected);
}

// Expected values by hand. 1.609 km to the mile; distances one decimal, halves away from
// zero; paces rounded to the second, halves to even; the time of Time mode has its seconds cut.
const Calc calcs[] = {
    // 5 mi = 8.045 -> 8.0 km; 45:00 / 5 = 9:00; 45 / 8.0 = 5.625 min = 5:37.5 -> 5:38.
    {"MilesPace", true, true, "txtMiles=5|txtTime=45:00", "5|8.0|45:00|9:00|5:38"},
    // The time typed first: paces are 0:00 until there is a distance.
    {"MilesPaceTimeFirst", true, true, "txtTime=45:00|txtMiles=5", "5|8.0|45:00|9:00|5:38"},
    // 5 x 9:00 = 45:00; the km pace from 45:00 over 8.0 km.
    {"MilesTime", true, false, "txtMiles=5|txtMilePace=9:00", "5|8.0|45:00|9:00|5:38"},
    // 10 km / 1.609 = 6.215 -> 6.2 mi; 10 x 5:00 = 50:00; 50 / 6.2 = 8.0645 min = 8:03.9 -> 8:04.
    {"KilometresTime", false, false, "txtKM=10|txtKMPace=5:00", "6.2|10|50:00|8:04|5:00"},
    // A changed distance in Time mode recomputes the time only: 6 x 9:00 = 54:00, while the
    // km pace stays what it was for 5 miles.
    {"MilesTimeDistanceChanged", true, false, "txtMiles=5|txtMilePace=9:00|txtMiles=6",
     "6|9.7|54:00|9:00|5:38"},
    // 1 mi at 65:59.94 = 65.999 min: 1:05:59, the seconds cut, not rounded up to 1:06:00.
    // km pace 65.98333 / 1.6 = 41.2396 min = 41:14.4 -> 41:14.
    {"TimeSecondsAreCut", true, false, "txtMiles=1|txtMilePace=65:59.94", "1|1.6|1:05:59|65:59.94|41:14"},
    // 5 x 5:20 is 26:40 exactly, though 5 x 5.3333... comes out a hair below 26.6667 in
    // binary; km pace 26.6667 / 8.0 = 3.3333 min = 3:20.
    {"WholeSecondsStayWhole", true, false, "txtMiles=5|txtMilePace=5:20", "5|8.0|26:40|5:20|3:20"},
    // A pace typed with hours, as the tooltip invites: 2 x 1:00:00 = 2:00:00; 2 mi = 3.218
    // -> 3.2 km; 120 / 3.2 = 37.5 min = 37:30.
    {"PaceWithHours", true, false, "txtMiles=2|txtMilePace=1:00:00", "2|3.2|2:00:00|1:00:00|37:30"},
    // 26.2 mi = 42.1558 -> 42.2 km; 3:30:00 = 210 min; 210 / 26.2 = 8.0153 min = 8:00.9
    // -> 8:01; 210 / 42.2 = 4.9763 min = 4:58.6 -> 4:59.
    {"Marathon", true, true, "txtMiles=26.2|txtTime=3:30:00", "26.2|42.2|3:30:00|8:01|4:59"},
    // Clearing the time shows 0:00 in both pace boxes.
    {"ClearedTime", true, true, "txtMiles=5|txtTime=45:00|txtTime=", "5|8.0||0:00|0:00"},
    // A distance that is not a number: 0 in its partner, 0:00 in the paces.
    {"MilesNotANumber", true, true, "txtTime=45:00|txtMiles=five", "five|0|45:00|0:00|0:00"},
    {"ZeroDistance", false, true, "txtKM=0|txtTime=45:00", "0.0|0|45:00|0:00|0:00"},
    // A pace that is not a duration: the time is 0:00 and so is the other pace.
    {"PaceNotADuration", true, false, "txtMiles=5|txtMilePace=9:x0", "5|8.0|0:00|9:x0|0:00"},
    // Time mode, no distance yet: the time is 0 x pace.
    {"TimeWithoutDistance", false, false, "txtKMPace=5:00", "||0:00|0:00|5:00"},
    // Nothing over 1,000 miles (1,609 km) or 1,000 hours is worked with, typed or worked out.
    {"AtTheLimits", false, true, "txtKM=1609|txtTime=1000:00:00", "1000.0|1609|1000:00:00|1:00:00|37:17"},
    {"AbsurdDistance", true, true, "txtTime=45:00|txtMiles=100000000000000000000",
     "100000000000000000000|0|45:00|0:00|0:00"},
    {"WorkedTimeOverTheLimit", true, false, "txtMiles=999|txtMilePace=61:00", "999|1607.4|0:00|61:00|0:00"},
    // A box that does not take input in the setting changes nothing.
    {"ShownBoxIgnored", true, true, "txtMiles=5|txtTime=45:00|txtKM=3", "5|3|45:00|9:00|5:38"},
    // 0:59.5 per mile rounds up into the next minute; 2.5 seconds rounds to the even 0:02.
    {"SecondsCarry", true, true, "txtMiles=1|txtTime=0:59.5", "1|1.6|0:59.5|1:00|0:37"},
    {"HalfSecondToEven", true, true, "txtMiles=1|txtTime=0:02.5", "1|1.6|0:02.5|0:02|0:02"},
};
INSTANTIATE_TEST_SUITE_P(Triangulator, Calculates, ::testing::ValuesIn(calcs), CaseName());

// Whatever text a person types or pastes, every worked value is empty, a distance with one
// decimal, or a duration.
TEST(PaceMath, AnyTextLeavesEveryWorkedValueWellFormed) {
    static const QRegularExpression distance(QStringLiteral("^(0|-?\\d+\\.\\d)$"));
    static const QRegularExpression duration(QStringLiteral("^\\d+:\\d\\d(:\\d\\d)?$"));
    QStringList nasty =
        QStringLiteral("abc|nan|inf|-inf|1e308|1.5e3|0x1A|5,5| 5 |-5|.|-|:|::::|1:2:3:4:5|:30|45:|"
                       "-45:00|0:00|0|9:99999999999999999999|99999999999999999999999999999999|"
                       "١٢|5 miles|'; DROP TABLE x; --")
            .split(QLatin1Char('|'));
    nasty << QString(400, QLatin1Char('9')) << "0." + QString(400, QLatin1Char('0')) + "1";
    for (const auto& [miles, paceMode] : Settings)
        for (const Box box : {distanceBox(miles), secondInput(miles, paceMode)}) {
            // Sensible values in both inputs first, so each text has something to combine with.
            const QString start =
                QStringLiteral("%1=5|%2=9:00|%3=")
                    .arg(name(distanceBox(miles)), name(secondInput(miles, paceMode)), name(box));
            for (const QString& text : nasty) {
                const QStringList shown = worked(miles, paceMode, start + text).split('|');
                for (int i = 0; i < PaceMath::BoxCount; ++i)
                    if (!PaceMath::takesInput(Box(i), miles, paceMode)) {
                        EXPECT_TRUE(shown[i].isEmpty() ||
                                    (i < 2 ? distance : duration).match(shown[i]).hasMatch())
                            << Boxes[i] << " shows \"" << shown[i].toStdString() << "\" after \""
                            << text.toStdString() << "\" in " << name(box);
                    }
            }
        }
}

// --- The control -------------------------------------------------------------------------

class Calculator {
  public:
    Calculator() {
        w = std::make_unique<Triangulator>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QApplication::processEvents();
    }
    QLineEdit* box(Box b) const { return w->findChild<QLineEdit*>(QLatin1String(name(b))); }
    // Switches the unit with the mouse and the mode with the arrow keys, as a person does.
    void set(bool miles, bool paceMode) {
        auto* chk = w->findChild<QCheckBox*>(QStringLiteral("chkMiles"));
        if (chk->isChecked() != miles)
            QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(8, chk->height() / 2));
        auto* optPace = w->findChild<QRadioButton*>(QStringLiteral("optPace"));
        optPace->setFocus();
        if (!paceMode)
            QTest::keyClick(optPace, Qt::Key_Right);
        EXPECT_EQ(optPace->isChecked(), paceMode);
        QApplication::processEvents(); // lets the layout move the rows
    }
    // Clicks into the box (which selects its text) and types or pastes over it.
    void type(Box b, const QString& text, bool paste = false) {
        QTest::mouseClick(box(b), Qt::LeftButton);
        QApplication::processEvents();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box(b), Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(box(b), text);
        }
    }
    // The five boxes joined by "|".
    QString all() const {
        QStringList v;
        for (int i = 0; i < PaceMath::BoxCount; ++i)
            v << box(Box(i))->text();
        return v.join('|');
    }

    std::unique_ptr<Triangulator> w;
};

// Only the inputs of the unit and mode take typing, they come first, Tab goes from one to the
// other, and what is typed (here pasted) is worked with.
TEST(Triangulator, UnitAndModeChooseTheInputs) {
    for (const auto& [miles, paceMode] : Settings) {
        SCOPED_TRACE(std::string(miles ? "miles" : "km") + (paceMode ? " pace" : " time"));
        Calculator calc;
        calc.set(miles, paceMode);
        for (int i = 0; i < PaceMath::BoxCount; ++i)
            EXPECT_EQ(calc.box(Box(i))->isEnabled(),
                      Box(i) == distanceBox(miles) || Box(i) == secondInput(miles, paceMode))
                << Boxes[i];
        const int paceY = calc.box(Box::MilePace)->y();
        EXPECT_EQ(calc.box(Box::KMPace)->y(), paceY);
        EXPECT_EQ(paceMode, calc.box(Box::Time)->y() < paceY);
        calc.box(distanceBox(miles))->setFocus();
        QTest::keyClick(calc.box(distanceBox(miles)), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), calc.box(secondInput(miles, paceMode)));
        calc.type(distanceBox(miles), QStringLiteral("10"), true);
        calc.type(secondInput(miles, paceMode), QStringLiteral("50:00"), true);
        const QString typed = QStringLiteral("%1=10|%2=50:00")
                                  .arg(name(distanceBox(miles)), name(secondInput(miles, paceMode)));
        EXPECT_EQ(calc.all(), worked(miles, paceMode, typed));
    }
}

TEST(Triangulator, EachKeystrokeWritesEveryDependentBoxExactlyOnce) {
    Calculator calc;
    calc.type(Box::Miles, QStringLiteral("5"));
    calc.type(Box::Time, QStringLiteral("5:00"));
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (int i = 0; i < PaceMath::BoxCount; ++i)
        spies.push_back(std::make_unique<QSignalSpy>(calc.box(Box(i)), &QLineEdit::textChanged));
    QTest::keyClick(calc.box(Box::Time), Qt::Key_Home);
    QTest::keyClick(calc.box(Box::Time), Qt::Key_4); // 45:00
    std::vector<int> writes;
    for (auto& spy : spies)
        writes.push_back(spy->count());
    EXPECT_EQ(writes, (std::vector<int>{0, 0, 1, 1, 1}));
    EXPECT_EQ(calc.all(), "5|8.0|45:00|9:00|5:38");
}

TEST(Triangulator, EnteringABoxSelectsItsWholeText) {
    Calculator calc;
    calc.type(Box::Miles, QStringLiteral("26.2"));
    calc.type(Box::Time, QStringLiteral("3:30:00"));
    QTest::mouseClick(calc.box(Box::Miles), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(calc.box(Box::Miles)->selectedText(), QStringLiteral("26.2"));
    QTest::keyClick(calc.box(Box::Miles), Qt::Key_Tab); // on to the time
    QApplication::processEvents();
    EXPECT_EQ(calc.box(Box::Time)->selectedText(), QStringLiteral("3:30:00"));
}

TEST(Triangulator, DistanceIsAPropertyThatFollowsTheCheckBoxAndAnnouncesChanges) {
    Calculator calc;
    QSignalSpy changed(calc.w.get(), &Triangulator::DistanceChanged);
    auto* chk = calc.w->findChild<QCheckBox*>(QStringLiteral("chkMiles"));
    EXPECT_TRUE(calc.w->property("Distance").toBool());

    EXPECT_TRUE(calc.w->setProperty("Distance", false));
    EXPECT_FALSE(chk->isChecked());
    calc.w->setDistance(false); // no change, no announcement
    ASSERT_EQ(changed.count(), 1);
    EXPECT_FALSE(changed.takeFirst().at(0).toBool());

    chk->setFocus();
    QTest::keyClick(chk, Qt::Key_Space);
    EXPECT_TRUE(calc.w->Distance());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_TRUE(changed.takeFirst().at(0).toBool());
}

TEST(frmTriang, TheCalculatorIsMadeFromItsLibrarysClassDescription) {
    QString error;
    const QMetaObject* calculator = PrivateLibrary::controlClass("libtriang.so.1", "Triangulator", error);
    ASSERT_EQ(calculator, &Triangulator::staticMetaObject) << error.toStdString();
    const std::unique_ptr<QObject> made(calculator->newInstance(Q_ARG(QWidget*, nullptr)));
    EXPECT_TRUE(qobject_cast<Triangulator*>(made.get()));
    // What cannot be found is named.
    EXPECT_FALSE(PrivateLibrary::controlClass("libnothing.so.1", "Triangulator", error));
    EXPECT_TRUE(error.contains(QLatin1String("libnothing.so.1"))) << error.toStdString();
    EXPECT_FALSE(PrivateLibrary::controlClass("libtriang.so.1", "Nothing", error));
    EXPECT_TRUE(error.contains(QLatin1String("Nothing"))) << error.toStdString();
}

TEST(frmTriang, StartsInTheMainWindowsUnit) {
    for (const bool miles : {true, false}) {
        SCOPED_TRACE(miles ? "miles" : "kilometres");
        FixedState state(QStringLiteral("Ann"), miles);
        frmTriang form(state);
        form.show();
        QApplication::processEvents();
        auto* calculator = qobject_cast<Triangulator*>(form.Triangulator1);
        ASSERT_TRUE(calculator);
        EXPECT_EQ(calculator->Distance(), miles);
        // Typing starts in the distance box of the unit.
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name(distanceBox(miles)));
        // Keys go straight to the focused box, then Tab moves on to the time.
        QTest::keyClicks(QApplication::focusWidget(), miles ? QStringLiteral("5") : QStringLiteral("10"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(),
                         miles ? QStringLiteral("45:00") : QStringLiteral("50:00"));
        EXPECT_EQ(form.Triangulator1->findChild<QLineEdit*>(QStringLiteral("txtKMPace"))->text(),
                  miles ? "5:38" : "5:00");
    }
}

} // namespace
