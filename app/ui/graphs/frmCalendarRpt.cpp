#include "frmCalendarRpt.h"

#include "CLibrary.h"
#include "CalendarReport.h"
#include "Clock.h"
#include "Dialogs.h"
#include "FormLoad.h"
#include "Goals.h"
#include "PrivateLibrary.h"
#include "SharedState.h"

#include <QEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

frmCalendarRpt::frmCalendarRpt(SharedState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("frmCalendarRpt"));
    setWindowTitle(QStringLiteral("Calendar Report"));
    setAttribute(Qt::WA_DeleteOnClose);

    // The month grid comes from its own library, loaded with the first calendar report.
    mossCalendar1 = PrivateLibrary::makeControl("libmonthpane.so.1", "mossCalendar", "mossCalendar1",
                                                QStringLiteral("The calendar"), this, m_gridMade,
                                                Q_ARG(QDate, Clock::today()), Q_ARG(QWidget*, this));
    if (m_gridMade) {
        mossCalendar1->setProperty("CalendarTitle", QStringLiteral("Exercise Calendar"));
        connect(mossCalendar1, SIGNAL(DateChanged()), this, SLOT(mossCalendar1_DateChanged()));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mossCalendar1);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    m_formLoad = new FormLoad(this, [this] { load(); });
    connect(&m_state, &SharedState::currentUserChanged, this, [this] { fill(false); });
    connect(&m_state, &SharedState::milesChanged, this, &frmCalendarRpt::state_milesChanged);
}

void frmCalendarRpt::Form_Load() {
    m_formLoad->run();
}

// The first show fills the month as well: a window that a window manager does not activate
// at once (or a test platform that never does) still shows its data.
void frmCalendarRpt::load() {
    bMiles = m_state.miles();
    fill(false);
}

bool frmCalendarRpt::event(QEvent* event) {
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return result;
}

void frmCalendarRpt::Form_Activate() {
    Form_Load();
    fill(true);
}

void frmCalendarRpt::mossCalendar1_DateChanged() {
    fill(false);
}

void frmCalendarRpt::state_milesChanged(bool miles) {
    bMiles = miles;
    fill(false);
}

// The week and month goals of the user as they stand on a day of the shown month: today in
// the current month, the last day of a past month, the first day of a month to come. Throws
// DbError.
QString frmCalendarRpt::goalNote(const QDate& month) const {
    const QDate today = Clock::today();
    const QDate last = month.addMonths(1).addDays(-1);
    const QDate day = today < month ? month : today > last ? last : today;
    QStringList parts;
    for (const GoalProgress& p : Goals::progress(*CLibrary().GetConnection(), m_state.currentUser(), day,
                                                 bMiles, {QStringLiteral("week"), QStringLiteral("month")}))
        parts << Goals::describe(p, bMiles, today);
    return parts.join(QLatin1Char('\n'));
}

// Hands the month's items and the goal note to the grid (nothing when it could not be loaded).
void frmCalendarRpt::showItems(const QStringList& nums, const QStringList& data1, const QStringList& data2,
                               const QStringList& data3, const QList<quint32>& colors, const QString& note) {
    if (!m_gridMade)
        return;
    QMetaObject::invokeMethod(mossCalendar1, "AddData", Q_ARG(QStringList, nums), Q_ARG(QStringList, data1),
                              Q_ARG(QStringList, data2), Q_ARG(QStringList, data3),
                              Q_ARG(QList<quint32>, colors));
    mossCalendar1->setProperty("CalendarNote", note);
}

void frmCalendarRpt::FillCalendar() {
    fill(false);
}

// A failure shows its message once; the activations that the message box itself causes (and
// any later ones while the store still fails) refill quietly instead of asking again.
void frmCalendarRpt::fill(bool quietOnRepeatedFailure) {
    QStringList nums, data1, data2, data3;
    QList<quint32> colors;
    try {
        const std::optional<QDate> month =
            CalendarReport::parseMonth(mossCalendar1->property("CalendarDate").toString());
        if (month) {
            CLibrary lib;
            std::unique_ptr<Connection> conn = lib.GetConnection();
            const std::vector<CalendarItem> items =
                CalendarReport::items(*conn, m_state.currentUser(), *month, bMiles);
            for (const CalendarItem& item : items) {
                nums << item.day;
                data1 << item.kind;
                data2 << item.detail;
                data3 << item.time;
                colors << item.color;
            }
        }
        m_failing = false;
        showItems(nums, data1, data2, data3, colors, month ? goalNote(*month) : QString());
    } catch (const std::exception& e) {
        showItems({}, {}, {}, {}, {}, QString());
        const bool repeat = m_failing && quietOnRepeatedFailure;
        m_failing = true;
        if (!repeat)
            Dialogs::message(this, QStringLiteral("Could not retrieve workouts - ") + describe(e) +
                                       QStringLiteral(" - In frmCalendarRpt FillCalendar"));
    }
}
