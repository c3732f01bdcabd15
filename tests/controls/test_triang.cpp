// The pace/time calculator driven as a person uses it: real keystrokes and pastes into its
// boxes, in each unit and mode.
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
#include <string_view>
#include <vector>

namespace {

const char* const Boxes[] = {"txtMiles", "txtKM", "txtTime", "txtMilePace", "txtKMPace"};

// The box a person types the distance into, and the other box that takes input.
const char* distanceBox(bool miles) {
    return miles ? "txtMiles" : "txtKM";
}
const char* secondInput(bool miles, bool paceMode) {
    return paceMode ? "txtTime" : (miles ? "txtMilePace" : "txtKMPace");
}

class Calculator {
  public:
    Calculator() {
        w = std::make_unique<Triangulator>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QApplication::processEvents();
    }
    QLineEdit* box(const char* name) const { return w->findChild<QLineEdit*>(QLatin1String(name)); }
    QString text(const char* name) const { return box(name)->text(); }
    // Switches unit and mode with the mouse, as a person does.
    void set(bool miles, bool paceMode) {
        auto* chk = w->findChild<QCheckBox*>(QStringLiteral("chkMiles"));
        if (chk->isChecked() != miles)
            QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(8, chk->height() / 2));
        auto* opt =
            w->findChild<QRadioButton*>(paceMode ? QStringLiteral("optPace") : QStringLiteral("optTime"));
        if (!opt->isChecked())
            QTest::mouseClick(opt, Qt::LeftButton, {}, QPoint(8, opt->height() / 2));
        QApplication::processEvents(); // lets the layout move the rows
    }
    // Enters the box (which selects its text) and types over it.
    void type(const char* name, const QString& text) {
        QLineEdit* b = box(name);
        EXPECT_TRUE(b->isEnabled()) << name << " does not take input";
        enter(b);
        if (text.isEmpty())
            QTest::keyClick(b, Qt::Key_Delete);
        else
            QTest::keyClicks(b, text);
    }
    void paste(const char* name, const QString& text) {
        QApplication::clipboard()->setText(text);
        QLineEdit* b = box(name);
        enter(b);
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
    }
    // Clicks into the box; when it had the focus already, selects its text with Ctrl+A.
    static void enter(QLineEdit* b) {
        const bool had = b->hasFocus();
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
        if (had)
            QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
    }
    // The five boxes, in the order of Boxes, joined by "|".
    QString all() const {
        QStringList v;
        for (const char* b : Boxes)
            v << text(b);
        return v.join('|');
    }

    std::unique_ptr<Triangulator> w;
};

// --- Whole calculations, typed key by key ------------------------------------------------

struct Calc {
    const char* name;
    bool miles;
    bool paceMode;
    const char* typed;    // "box=text|box=text...", typed in that order
    const char* expected; // the five boxes afterwards
};

class Calculates : public ::testing::TestWithParam<Calc> {};

TEST_P(Calculates, EveryBoxShowsTheWorkedValue) {
    const Calc& c = GetParam();
    Calculator calc;
    calc.set(c.miles, c.paceMode);
    for (const QString& entry : QString::fromUtf8(c.typed).split('|'))
        calc.type(entry.section('=', 0, 0).toLatin1().constData(), entry.section('=', 1));
    EXPECT_EQ(calc.all(), c.expected);
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
};
INSTANTIATE_TEST_SUITE_P(Triangulator, Calculates, ::testing::ValuesIn(calcs), CaseName());

// --- Nothing typed or pasted breaks it ----------------------------------------------------

struct Setting {
    const char* name;
    bool miles;
    bool paceMode;
    const char* box; // the box pasted into (one that takes input in this setting)
};

class AnyText : public ::testing::TestWithParam<Setting> {};

// Every shown value is empty, a distance with one decimal, or a duration.
TEST_P(AnyText, PastedIntoAnInputBoxLeavesEveryShownValueWellFormed) {
    const Setting& s = GetParam();
    static const QRegularExpression distance(QStringLiteral("^(0|-?\\d+\\.\\d)$"));
    static const QRegularExpression duration(QStringLiteral("^\\d+:\\d\\d(:\\d\\d)?$"));
    // '|' separates the texts; none of them contains one.
    QStringList nasty =
        QStringLiteral("abc|nan|inf|-inf|1e308|1.5e3|0x1A|5,5| 5 |-5|.|-|:|::::|1:2:3:4:5|:30|45:|"
                       "-45:00|0:00|0|9:99999999999999999999|99999999999999999999999999999999|"
                       "١٢|5 miles|'; DROP TABLE x; --")
            .split(QLatin1Char('|'));
    nasty << QString(400, QLatin1Char('9')) << "0." + QString(400, QLatin1Char('0')) + "1";
    Calculator calc;
    calc.set(s.miles, s.paceMode);
    // Sensible values in every input, so each paste has something to combine with.
    calc.type(distanceBox(s.miles), QStringLiteral("5"));
    calc.type(secondInput(s.miles, s.paceMode), QStringLiteral("9:00"));
    for (const QString& text : nasty) {
        calc.paste(s.box, text);
        EXPECT_EQ(calc.text(s.box), text);
        for (const char* b : Boxes) {
            QLineEdit* box = calc.box(b);
            if (box->isEnabled())
                continue; // typed by the person, shown as typed
            const bool isDistance = b == Boxes[0] || b == Boxes[1];
            const QString shown = box->text();
            EXPECT_TRUE(shown.isEmpty() || (isDistance ? distance : duration).match(shown).hasMatch())
                << b << " shows \"" << shown.toStdString() << "\" after \"" << text.toStdString() << "\"";
        }
    }
    // Still usable: a proper value computes again.
    calc.type(distanceBox(s.miles), QStringLiteral("5"));
    calc.type(secondInput(s.miles, s.paceMode), QStringLiteral("45:00"));
    for (const char* b : Boxes)
        EXPECT_FALSE(calc.text(b).isEmpty()) << b;
}

const Setting pasteSettings[] = {
    {"MilesPaceMiles", true, true, "txtMiles"},  {"MilesPaceTime", true, true, "txtTime"},
    {"MilesTimeMiles", true, false, "txtMiles"}, {"MilesTimePace", true, false, "txtMilePace"},
    {"KilometresPaceKM", false, true, "txtKM"},  {"KilometresPaceTime", false, true, "txtTime"},
    {"KilometresTimeKM", false, false, "txtKM"}, {"KilometresTimePace", false, false, "txtKMPace"},
};
INSTANTIATE_TEST_SUITE_P(Triangulator, AnyText, ::testing::ValuesIn(pasteSettings), CaseName());

// --- Unit, mode and the boxes that take input ----------------------------------------------

class Arrangement : public ::testing::TestWithParam<Setting> {};

TEST_P(Arrangement, OnlyTheInputsOfTheSettingTakeTypingAndComeFirst) {
    const Setting& s = GetParam();
    Calculator calc;
    calc.set(s.miles, s.paceMode);
    for (const char* b : Boxes)
        EXPECT_EQ(calc.box(b)->isEnabled(), std::string_view(b) == distanceBox(s.miles) ||
                                                std::string_view(b) == secondInput(s.miles, s.paceMode))
            << b;
    // The typed row sits above the computed one, and Tab reaches it first.
    const int paceY = calc.box("txtMilePace")->y();
    EXPECT_EQ(calc.box("txtKMPace")->y(), paceY);
    EXPECT_EQ(s.paceMode, calc.box("txtTime")->y() < paceY);
    calc.box(distanceBox(s.miles))->setFocus();
    QTest::keyClick(calc.box(distanceBox(s.miles)), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), calc.box(secondInput(s.miles, s.paceMode)));
}

const Setting arrangements[] = {{"MilesPace", true, true, ""},
                                {"MilesTime", true, false, ""},
                                {"KilometresPace", false, true, ""},
                                {"KilometresTime", false, false, ""}};
INSTANTIATE_TEST_SUITE_P(Triangulator, Arrangement, ::testing::ValuesIn(arrangements), CaseName());

TEST(Triangulator, EachKeystrokeWritesEveryDependentBoxExactlyOnce) {
    Calculator calc;
    calc.type("txtMiles", QStringLiteral("5"));
    calc.type("txtTime", QStringLiteral("5:00"));
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const char* b : Boxes)
        spies.push_back(std::make_unique<QSignalSpy>(calc.box(b), &QLineEdit::textChanged));
    // How often each box was written since the last call, in the order of Boxes.
    const auto writes = [&] {
        std::vector<int> counts;
        for (auto& spy : spies) {
            counts.push_back(spy->count());
            spy->clear();
        }
        return counts;
    };
    QTest::keyClick(calc.box("txtTime"), Qt::Key_Home);
    QTest::keyClick(calc.box("txtTime"), Qt::Key_4); // 45:00
    EXPECT_EQ(writes(), (std::vector<int>{0, 0, 1, 1, 1}));
}

TEST(Triangulator, EnteringABoxSelectsItsWholeText) {
    Calculator calc;
    calc.type("txtMiles", QStringLiteral("26.2"));
    calc.type("txtTime", QStringLiteral("3:30:00"));
    QTest::mouseClick(calc.box("txtMiles"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(calc.box("txtMiles")->selectedText(), QStringLiteral("26.2"));
    QTest::keyClick(calc.box("txtMiles"), Qt::Key_Tab); // on to the time
    QApplication::processEvents();
    EXPECT_EQ(calc.box("txtTime")->selectedText(), QStringLiteral("3:30:00"));
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

TEST(Triangulator, ArrowKeysInTheFrameChangeTheMode) {
    Calculator calc;
    auto* optPace = calc.w->findChild<QRadioButton*>(QStringLiteral("optPace"));
    optPace->setFocus();
    QTest::keyClick(optPace, Qt::Key_Right);
    EXPECT_TRUE(calc.w->findChild<QRadioButton*>(QStringLiteral("optTime"))->isChecked());
    EXPECT_TRUE(calc.box("txtMilePace")->isEnabled());
}

TEST(frmTriang, StartsInTheMainWindowsUnit) {
    for (const bool miles : {true, false}) {
        SCOPED_TRACE(miles ? "miles" : "kilometres");
        FixedState state(QStringLiteral("Ann"), miles);
        frmTriang form(state);
        form.show();
        QApplication::processEvents();
        EXPECT_EQ(form.Triangulator1->Distance(), miles);
        // Typing starts in the distance box of the unit.
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget()->objectName(), distanceBox(miles));
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
