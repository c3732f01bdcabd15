#include "frmTrainingLoad.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Clock.h"
#include "DatePicker.h"
#include "DateText.h"
#include "Dialogs.h"
#include "FormLoad.h"
#include "HeartRate.h"
#include "NumberText.h"
#include "SharedState.h"
#include "TrainingLoad.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* option(const char* name, const char* caption, QWidget* parent) {
    auto* o = new QRadioButton(QString::fromUtf8(caption), parent);
    o->setObjectName(QLatin1String(name));
    return o;
}

} // namespace

frmTrainingLoad::frmTrainingLoad(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmTrainingLoad"));
    setWindowTitle(QStringLiteral("Training Load"));

    opt90Days = option("opt90Days", "Last &90 days", this);
    optYear = option("optYear", "Last &year", this);
    optAllTime = option("optAllTime", "&All time", this);
    optDateRange = option("optDateRange", "Date &range:", this);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* o : {opt90Days, optYear, optAllTime, optDateRange})
        group->addButton(o);
    opt90Days->setChecked(true);
    dtFrom = new DatePicker(this);
    dtFrom->setObjectName(QStringLiteral("dtFrom"));
    dtTo = new DatePicker(this);
    dtTo->setObjectName(QStringLiteral("dtTo"));
    const QDate today = Clock::today();
    dtFrom->setValue(today.addDays(-89));
    dtTo->setValue(today);

    auto* range = new QHBoxLayout;
    for (QRadioButton* o : {opt90Days, optYear, optAllTime, optDateRange})
        range->addWidget(o);
    range->addWidget(dtFrom);
    range->addWidget(new QLabel(QStringLiteral("to"), this));
    range->addWidget(dtTo);
    range->addStretch();

    LoadChart = new ChartControl(this);
    LoadChart->setObjectName(QStringLiteral("LoadChart"));
    LoadChart->setChartType(ChartControl::Line);
    LoadChart->setBarSeries({1});
    LoadChart->setShowLegend(true);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    auto* btnExit = new QPushButton(QStringLiteral("E&xit"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(btnExit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(LoadChart, 1);
    layout->addLayout(bottom);
    const QFontMetrics fm(font());
    resize(fm.horizontalAdvance(QLatin1Char('x')) * 110, fm.height() * 34);

    // The dates count only for a date range.
    const auto enableDates = [this] {
        for (QWidget* w : {static_cast<QWidget*>(dtFrom), static_cast<QWidget*>(dtTo)})
            w->setEnabled(optDateRange->isChecked());
    };
    enableDates();
    connect(group, &QButtonGroup::buttonToggled, this, [this, enableDates](QAbstractButton*, bool on) {
        enableDates();
        if (on)
            redraw();
    });
    for (DatePicker* d : {dtFrom, dtTo})
        connect(d, &QDateEdit::dateChanged, this, [this] {
            if (optDateRange->isChecked())
                redraw();
        });
    connect(btnExit, &QPushButton::clicked, this, &QDialog::reject);
    m_formLoad = new FormLoad(this, [this] { redraw(); });
}

void frmTrainingLoad::Form_Load() {
    m_formLoad->run();
}

void frmTrainingLoad::redraw() {
    const QDate today = Clock::today();
    QDate from = today.addDays(-89), to = today;
    if (optYear->isChecked())
        from = today.addYears(-1).addDays(1);
    else if (optAllTime->isChecked())
        from = QDate();
    else if (optDateRange->isChecked()) {
        from = std::min(dtFrom->value(), dtTo->value());
        to = std::max(dtFrom->value(), dtTo->value());
    }

    const QString user = m_state.currentUser();
    TrainingLoad::Range data;
    try {
        auto conn = CLibrary().GetConnection();
        const HeartRate::Settings hr = HeartRate::read(*conn, user);
        if (!hr.max || !hr.rest) {
            LoadChart->setChartData({});
            lblStatus->setText(
                QStringLiteral("Set the maximum and resting heart rate of %1 under Heart Rate in "
                               "the Utilities menu to see the training load.")
                    .arg(user));
            return;
        }
        data = TrainingLoad::read(*conn, user, from, to);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve training load - ") + describe(e) +
                                   QStringLiteral(" - In frmTrainingLoad redraw"));
        return;
    }

    QList<QVariantList> rows;
    QStringList tips;
    rows.reserve(qsizetype(data.days.size()));
    tips.reserve(qsizetype(data.days.size()));
    const auto one = [](double v) { return NumberText::fixed(v, 1); };
    for (const TrainingLoad::Day& d : data.days) {
        const QString date = DateText::shortDate(d.date);
        rows.append(QVariantList{date, d.load, d.fitness, d.fatigue, d.form});
        tips << QStringLiteral("%1\nLoad: %2\nFitness: %3\nFatigue: %4\nForm: %5")
                    .arg(date, one(d.load), one(d.fitness), one(d.fatigue), one(d.form));
    }
    LoadChart->setTitle(QStringLiteral("Training Load of %1").arg(user));
    LoadChart->setChartData(rows);
    LoadChart->setRowTips(tips);
    const char* names[] = {"Load", "Fitness", "Fatigue", "Form"};
    for (int s = 1; s <= 4; ++s)
        LoadChart->setSeriesLabel(s, QString::fromLatin1(names[s - 1]));
    lblStatus->setText(data.withoutHeartRate == 0 ? QString()
                       : data.withoutHeartRate == 1
                           ? QStringLiteral("1 workout in this range has no heart rate and adds no load.")
                           : QStringLiteral("%1 workouts in this range have no heart rate and add no load.")
                                 .arg(data.withoutHeartRate));
}
