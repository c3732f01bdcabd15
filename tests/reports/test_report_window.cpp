// The report window and the criteria dialog driven as a person uses them, on a real database.
#include "DateText.h"
#include "Dialogs.h"
#include "ReportData.h"
#include "ReportListModel.h"
#include "frmTextRpt.h"
#include "frmTextRptCriteria.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

class ReportWindow : public ReportData {
  protected:
    FixedState state{QStringLiteral("Ann"), true};

    std::unique_ptr<frmTextRpt> open(const QString& kind) {
        auto w = std::make_unique<frmTextRpt>(state);
        w->openReport(kind);
        w->show();
        QApplication::processEvents();
        return w;
    }
    // Double-clicks the line of the report that starts with `start` (the first one).
    static void doubleClick(frmTextRpt& w, const QString& start) {
        const ReportLines& lines = w.reportLines();
        int row = -1;
        for (int i = 0; i < lines.size() && row < 0; ++i)
            if (lines.at(i).startsWith(start))
                row = i;
        ASSERT_GE(row, 0) << "no line starting with " << start.toStdString();
        const QModelIndex index = w.lstReport->model()->index(row, 0);
        w.lstReport->scrollTo(index);
        const QPoint at = w.lstReport->visualRect(index).center();
        QTest::mouseClick(w.lstReport->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.lstReport->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    TextReport::Result core(const QString& kind, TextReport::Format format,
                            const QString& criteria = QString()) {
        return report(kind, format, true, false, criteria);
    }
};

TEST_F(ReportWindow, CreateAppendsUnlessAlwaysClearAndShowsTheCoreLines) {
    auto w = open(QStringLiteral("Video"));
    click(w->btnCreateReport);
    const QStringList once = core(QStringLiteral("Video"), TextReport::Format::Full).lines.toStringList();
    EXPECT_EQ(w->reportLines(), once);
    click(w->btnCreateReport);
    EXPECT_EQ(w->reportLines(), once + once);
    w->chkAlwaysClear->setChecked(true);
    click(w->btnCreateReport);
    EXPECT_EQ(w->reportLines(), once);
    click(w->btnClearRpt);
    EXPECT_TRUE(w->reportLines().isEmpty());

    // Comments only with the box checked.
    w->chkIncludeComments->setChecked(true);
    click(w->btnCreateReport);
    EXPECT_EQ(w->reportLines(), report(QStringLiteral("Video"), TextReport::Format::Full, true, true).lines);
    EXPECT_TRUE(messages.isEmpty());
}

// A report added below another one is scrolled to its first line; a cleared one starts at the top.
TEST_F(ReportWindow, EachNewReportIsShownFromItsFirstLine) {
    auto w = open(QStringLiteral("Running"));
    w->resize(700, 360);
    for (const int top : {0, 1, 0}) {
        w->chkAlwaysClear->setChecked(top == 0);
        click(w->btnCreateReport);
        QApplication::processEvents();
        EXPECT_EQ(w->lstReport->indexAt(QPoint(2, 2)).row(), top * w->reportLines().size() / 2);
    }
}

TEST_F(ReportWindow, UnknownKindSaysProgramErrorAndCloses) {
    auto w = open(QStringLiteral("Walking"));
    EXPECT_EQ(messages, QStringList{"Program Error"});
    QApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ReportWindow, FailingReportKeepsItsLinesAndShowsTheMessage) {
    auto w = open(QStringLiteral("Running"));
    w->txtCriteria->setText(QStringLiteral("Miles > 1; DELETE FROM Running_Log"));
    // The wait cursor of the report's work is gone before its message is shown.
    bool busyAtMessage = true;
    Dialogs::setMessageHandler([&](const QString& text) {
        busyAtMessage = QGuiApplication::overrideCursor() != nullptr;
        messages << text;
    });
    click(w->btnCreateReport);
    EXPECT_FALSE(busyAtMessage);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(w->reportLines().size(), 2);
    EXPECT_EQ(messages,
              QStringList{"Could not retrieve data - The criteria are not a condition: it holds a second "
                          "statement - In frmTextRpt FullRunBikeRpt"});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Running_Log"), QStringLiteral("23"));
}

// --- Criteria --------------------------------------------------------------------------------

TEST_F(ReportWindow, CriteriaDialogBuildsTheFragmentAndCancelKeepsIt) {
    auto w = open(QStringLiteral("Cycling"));
    drivers["frmTextRptCriteria"] = [](QDialog* d) {
        auto* list = find<QListWidget>(d, "lstCourses");
        EXPECT_EQ(list->count(), 2); // Coast, Park
        auto* less = find<QLineEdit>(d, "txtLessMiles");
        focus(less);
        type(less, QStringLiteral("25"));
        EXPECT_FALSE(find<QLineEdit>(d, "txtEqualMiles")->isEnabled());
        auto* combo = find<QComboBox>(d, "cbBike");
        combo->setCurrentIndex(combo->findText(QStringLiteral("Roadie")));
        const QRect park = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, park.center());
        shot(d, QStringLiteral("frmTextRptCriteria_cycling"));
        click(find<QPushButton>(d, "btnOK"));
        return d->result();
    };
    exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Roadie', 1, 'Ann')");
    click(w->btnSetCriteria);
    EXPECT_EQ(w->txtCriteria->text(),
              QStringLiteral("Miles <= 25 AND Bike = 'Roadie'  AND (Course = 'Park' ) "));
    EXPECT_EQ(w->txtGetCriteria->text(), QStringLiteral("False"));

    drivers["frmTextRptCriteria"] = [](QDialog* d) {
        click(find<QPushButton>(d, "btnCancel"));
        return d->result();
    };
    click(w->btnSetCriteria);
    EXPECT_EQ(w->txtCriteria->text(),
              QStringLiteral("Miles <= 25 AND Bike = 'Roadie'  AND (Course = 'Park' ) "));

    click(w->btnCreateReport);
    EXPECT_EQ(w->reportLines().size(), 2 + 2 + 1 + 2 + 1 + 2); // one ride: Park
    EXPECT_TRUE(w->reportLines().at(4).startsWith(QStringLiteral("07-Dec-2026 ")));

    click(w->btnClearCriteria);
    EXPECT_TRUE(w->txtCriteria->text().isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(ReportWindow, CriteriaDialogDateRangeAndANonNumber) {
    auto w = open(QStringLiteral("Running"));
    drivers["frmTextRptCriteria"] = [this](QDialog* d) {
        click(find<QCheckBox>(d, "chkLimitByDate"));
        shot(d, QStringLiteral("frmTextRptCriteria_running"));
        EXPECT_FALSE(find<QWidget>(d, "DTBeginDate")->isEnabled());
        click(find<QRadioButton>(d, "optDateRange"));
        EXPECT_TRUE(find<QWidget>(d, "DTBeginDate")->isEnabled());
        auto* equal = find<QLineEdit>(d, "txtEqualMiles");
        focus(equal);
        type(equal, QStringLiteral("5x"));
        click(find<QPushButton>(d, "btnOK"));
        EXPECT_EQ(messages,
                  QStringList{"Could not set criteria - Type mismatch - In frmTextRptCriteria btnOK"});
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(equal, Qt::Key_Backspace);
        click(find<QPushButton>(d, "btnOK"));
        return d->result();
    };
    click(w->btnSetCriteria);
    EXPECT_EQ(
        w->txtCriteria->text(),
        QStringLiteral("(Exercise_Date BETWEEN Format('11/9/2026', 'mm/dd/yyyy') AND Format('12/9/2026', "
                       "'mm/dd/yyyy')) AND Miles = 5 "));
}

TEST_F(ReportWindow, MakeDefaultStoresItAndTheNextOpeningLoadsIt) {
    auto w = open(QStringLiteral("Swimming"));
    w->txtCriteria->setText(QStringLiteral("(Location = 'Pool A' ) "));
    click(w->btnDfltCriteria);
    EXPECT_EQ(messages, QStringList{"Criteria is default"});
    EXPECT_EQ(rows("SELECT Criteria, Exercise, User_Name FROM RptCriteria"),
              QStringList{"(Location = 'Pool A' ) |Swimming|Ann"});
    auto again = open(QStringLiteral("Swimming"));
    EXPECT_EQ(again->txtCriteria->text(), QStringLiteral("(Location = 'Pool A' ) "));
}

// --- Drill-down --------------------------------------------------------------------------------

TEST_F(ReportWindow, FullReportLineOpensTheRunAndTheReportShowsTheUpdate) {
    auto w = open(QStringLiteral("Running"));
    click(w->btnCreateReport);
    drivers["frmRunLog"] = [](QDialog* d) {
        EXPECT_EQ(find<QLineEdit>(d, "txtID")->text(), QStringLiteral("2"));
        auto* miles = find<QLineEdit>(d, "txtMiles");
        EXPECT_EQ(miles->text(), QStringLiteral("6.2"));
        EXPECT_EQ(find<QLineEdit>(d, "txtPace")->text(), QStringLiteral("10:05"));
        miles->setText(QStringLiteral("6.5"));
        click(find<QPushButton>(d, "btnUpdate"));
        return d->result();
    };
    doubleClick(*w, QStringLiteral("30-Nov-2026"));
    EXPECT_EQ(opened, QStringList{"frmRunLog"});
    w->chkAlwaysClear->setChecked(true);
    click(w->btnCreateReport);
    EXPECT_TRUE(w->reportLines().at(5).startsWith(QStringLiteral("30-Nov-2026   6.5 ")))
        << w->reportLines().at(5).toStdString();

    // Header, month and total lines lead nowhere.
    messages.clear();
    doubleClick(*w, QStringLiteral("DATE"));
    doubleClick(*w, QStringLiteral("November 2026"));
    doubleClick(*w, QStringLiteral("Report Totals"));
    EXPECT_EQ(messages, QStringList(3, "Please select a record in the report."));
}

// A course and a distance too long for their columns (the record number runs into the course)
// and the comment line under a record open that record.
TEST_F(ReportWindow, LongFieldsAndCommentLinesOpenTheirRecord) {
    exec("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
         "Exercise_Time, "
         "User_Name, Comments) VALUES (20, 'Running', '12/1/2026', 'Tuesday', '1:00:00', 'Ann', 'long')");
    exec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course) VALUES (20, 123.4567, 198.6, '" +
         QString(60, 'x') + "')");
    QStringList ids;
    for (const char* form : {"frmRunLog", "frmSwimLog"})
        drivers[form] = [&ids](QDialog* d) { return ids << find<QLineEdit>(d, "txtID")->text(), 0; };
    for (const char* kind : {"Running", "Time"}) {
        auto w = open(kind);
        w->chkIncludeComments->setChecked(true);
        click(w->btnCreateReport);
        for (const char* line : {"01-Dec-2026", "     long", "     drills"})
            if (w->reportLines().toStringList().filter(QRegularExpression(QString("^") + line)).size() == 1)
                doubleClick(*w, line);
    }
    EXPECT_EQ(ids, (QStringList{"20", "20", "20", "20", "8"}));
    EXPECT_EQ(opened, (QStringList{"frmRunLog", "frmRunLog", "frmRunLog", "frmRunLog", "frmSwimLog"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

// Returning from a log window activates the report window again: the stored default comes
// back unless the criteria dialog has been used since the window opened.
TEST_F(ReportWindow, ReturningFromALogWindowReloadsTheDefaultUntilTheDialogIsUsed) {
    exec("INSERT INTO RptCriteria (Criteria, Exercise, User_Name) VALUES ('(Course = ''Hill'' ) ', "
         "'Running', 'Ann')");
    auto w = open(QStringLiteral("Running"));
    click(w->btnClearCriteria);
    click(w->btnCreateReport);
    doubleClick(*w, QStringLiteral("28-Nov-2026"));
    EXPECT_EQ(w->txtCriteria->text(), QStringLiteral("(Course = 'Hill' ) "));

    click(w->btnSetCriteria); // closed at once: Cancel
    click(w->btnClearCriteria);
    doubleClick(*w, QStringLiteral("28-Nov-2026"));
    EXPECT_TRUE(w->txtCriteria->text().isEmpty());
    EXPECT_EQ(opened, (QStringList{"frmRunLog", "frmTextRptCriteria", "frmRunLog"}));
}

TEST_F(ReportWindow, TimeReportOpensTheWindowOfEachLinesKindAndDeleteShows) {
    auto w = open(QStringLiteral("Time"));
    w->chkAlwaysClear->setChecked(true);
    click(w->btnCreateReport);
    // Each log window shows the workout of its line; the video is deleted from its window.
    for (const auto& [form, id] : std::map<QString, QString>{
             {"frmSwimLog", "8"}, {"frmVideoLog", "10"}, {"frmOtherLog", "12"}, {"frmBikeLog", "6"}})
        drivers[form] = [form, id](QDialog* d) {
            EXPECT_EQ(find<QLineEdit>(d, "txtID")->text(), id) << form.toStdString();
            if (form == "frmVideoLog")
                click(find<QPushButton>(d, "btnDelete"));
            return d->result();
        };
    doubleClick(*w, QStringLiteral("03-Dec-2026"));
    doubleClick(*w, QStringLiteral("06-Dec-2026"));
    doubleClick(*w, QStringLiteral("08-Dec-2026"));
    doubleClick(*w, QStringLiteral("04-Dec-2026"));
    EXPECT_EQ(opened, (QStringList{"frmSwimLog", "frmBikeLog", "frmOtherLog", "frmVideoLog"}));
    click(w->btnCreateReport);
    for (const QString& line : w->reportLines())
        EXPECT_FALSE(line.startsWith(QStringLiteral("04-Dec-2026"))) << "deleted video still listed";
}

// A summary month or a week line sets the criteria of its period and shows its full report.
TEST_F(ReportWindow, SummaryMonthAndWeekLinesTurnToTheFullReportOfTheirPeriod) {
    const struct {
        const char* kind;
        QRadioButton* frmTextRpt::*format;
        const char* line;
    } cases[] = {{"Swimming", &frmTextRpt::optSummaryRpt, "January 2027"},
                 {"Running", &frmTextRpt::optWeeklyRpt, "29-Nov-2026"}};
    for (const auto& c : cases) {
        auto w = open(c.kind);
        click(w.get()->*c.format);
        click(w->btnCreateReport);
        doubleClick(*w, c.line);
        EXPECT_FALSE(w->txtCriteria->text().isEmpty()) << c.kind;
        EXPECT_EQ(w->reportLines(), core(c.kind, TextReport::Format::Full, w->txtCriteria->text()).lines);
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(ReportWindow, RaceLineOpensTheRaceLogOfTheKind) {
    auto w = open(QStringLiteral("RunningRace"));
    click(w->btnCreateReport);
    drivers["frmRaceLog"] = [](QDialog* d) {
        EXPECT_EQ(find<QLineEdit>(d, "txtRaceID")->text(), QStringLiteral("2"));
        EXPECT_EQ(find<QLineEdit>(d, "txtExercise")->text(), QStringLiteral("RunningRace"));
        return int(QDialog::Rejected);
    };
    doubleClick(*w, QStringLiteral("15-Nov-2026"));
    EXPECT_EQ(opened, QStringList{"frmRaceLog"});
}

// --- Long reports ------------------------------------------------------------------------------

TEST_F(ReportWindow, FiftyThousandLinesAppearAtOnceAndScroll) {
    QStringList statements;
    for (int i = 0; i < 25000; ++i) {
        const QDate d = QDate(1990, 1, 1).addDays(i / 3);
        statements << QStringLiteral(
                          "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, "
                          "Exercise_Day, Exercise_Time, User_Name) VALUES (%1, 'Video', '%2', '%3', "
                          "'30:00', 'Lu')")
                          .arg(1000 + i)
                          .arg(d.toString(Qt::ISODate), DateText::weekdayName(d))
                   << QStringLiteral("INSERT INTO Video_Log (Video_ID, Video) VALUES (%1, 'Tape %2')")
                          .arg(1000 + i)
                          .arg(i % 7);
    }
    db()->executeAll(statements);
    state.setUser(QStringLiteral("Lu"));
    auto w = open(QStringLiteral("Video"));
    w->resize(900, 600);
    click(w->btnCreateReport);
    click(w->btnCreateReport);
    EXPECT_GT(w->reportLines().size(), 50000);
    w->lstReport->scrollToBottom();
    QApplication::processEvents();
    EXPECT_EQ(w->lstReport->verticalScrollBar()->value(), w->lstReport->verticalScrollBar()->maximum());
    EXPECT_GT(w->lstReport->horizontalScrollBar()->maximum(), 0); // the lines are wider than the view
    shot(w.get(), QStringLiteral("frmTextRpt_long"));
}

} // namespace
