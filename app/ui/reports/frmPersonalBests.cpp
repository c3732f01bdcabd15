#include "frmPersonalBests.h"

#include "CLibrary.h"
#include "Clock.h"
#include "DateText.h"
#include "Dialogs.h"
#include "FormLoad.h"
#include "PersonalBests.h"
#include "RacePredictions.h"
#include "SharedState.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString kindHeading(const QString& kind) {
    if (kind == QLatin1String("RunningRace"))
        return QStringLiteral("Running Races");
    if (kind == QLatin1String("CyclingRace"))
        return QStringLiteral("Cycling Races");
    if (kind == QLatin1String("SwimmingRace"))
        return QStringLiteral("Swimming Races");
    return kind;
}

} // namespace

frmPersonalBests::frmPersonalBests(SharedState& state, const QString& raceKind, QWidget* parent)
    : QDialog(parent), m_state(state), m_raceKind(raceKind) {
    setObjectName(QStringLiteral("frmPersonalBests"));
    setWindowTitle(QStringLiteral("Personal Bests"));

    tvBests = new QTreeWidget(this);
    tvBests->setObjectName(QStringLiteral("tvBests"));
    tvBests->setColumnCount(6);
    tvBests->setRootIsDecorated(false);
    tvBests->setUniformRowHeights(true);
    tvBests->setAlternatingRowColors(true);
    tvBests->header()->setStretchLastSection(true);

    btnExit = new QPushButton(QStringLiteral("E&xit"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setAutoDefault(false);
    connect(btnExit, &QPushButton::clicked, this, &frmPersonalBests::btnExit_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnExit);
    lblPredictions = new QLabel(QStringLiteral("Race-time predictions"), this);
    lblPredictions->setObjectName(QStringLiteral("lblPredictions"));
    tvPredictions = new QTreeWidget(this);
    tvPredictions->setObjectName(QStringLiteral("tvPredictions"));
    tvPredictions->setRootIsDecorated(false);
    tvPredictions->setUniformRowHeights(true);
    tvPredictions->header()->setStretchLastSection(true);
    tvPredictions->setHeaderLabels(
        {QStringLiteral("Distance"), QStringLiteral("Predicted"), QStringLiteral("From")});
    const bool running = raceKind == QLatin1String("RunningRace");
    lblPredictions->setVisible(running);
    tvPredictions->setVisible(running);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tvBests, 3);
    layout->addWidget(lblPredictions);
    layout->addWidget(tvPredictions, 2);
    layout->addLayout(buttons);

    const QFontMetrics fm(font());
    resize(fm.horizontalAdvance(QLatin1Char('x')) * 95, fm.height() * (running ? 36 : 24));

    m_formLoad = new FormLoad(this, [this] {
        load();
        if (tvPredictions->isVisibleTo(this))
            loadPredictions();
    });
}

void frmPersonalBests::Form_Load() {
    m_formLoad->run();
}

void frmPersonalBests::load() {
    const bool miles = m_state.miles();
    tvBests->setHeaderLabels({QStringLiteral("Race Type"), QStringLiteral("Time"),
                              PersonalBests::rateHeading(m_raceKind, miles), QStringLiteral("Date"),
                              QStringLiteral("Races"), QStringLiteral("Race")});
    std::vector<PersonalBest> bests;
    try {
        bests = PersonalBests::compute(*CLibrary().GetConnection(), m_state.currentUser(), miles);
        // The races of the menu's kind only.
        if (!m_raceKind.isEmpty())
            std::erase_if(bests, [this](const PersonalBest& b) {
                return b.kind.compare(m_raceKind, Qt::CaseInsensitive) != 0;
            });
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve personal bests - ") + describe(e) +
                                   QStringLiteral(" - In frmPersonalBests Form_Load"));
        return;
    }
    if (bests.empty()) {
        tvBests->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("No races")}));
        return;
    }

    QTreeWidgetItem* heading = nullptr;
    QTreeWidgetItem* chosen = nullptr;
    for (const PersonalBest& b : bests) {
        if (!heading || heading->data(0, Qt::UserRole).toString() != b.kind) {
            heading = new QTreeWidgetItem({kindHeading(b.kind)});
            heading->setData(0, Qt::UserRole, b.kind);
            QFont bold = heading->font(0);
            bold.setBold(true);
            heading->setFont(0, bold);
            tvBests->addTopLevelItem(heading);
            heading->setExpanded(true);
            if (b.kind == m_raceKind)
                chosen = heading;
        }
        auto* row = new QTreeWidgetItem(
            heading, {b.raceType, b.timed ? b.time : QStringLiteral("-"), b.pace,
                      b.timed && b.date.isValid() ? DateText::shortDate(b.date) : QString(),
                      QString::number(b.races), b.raceName});
        for (int column : {1, 2, 3, 4})
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    tvBests->expandAll();
    for (int column = 0; column < 5; ++column)
        tvBests->resizeColumnToContents(column);
    if (chosen) {
        tvBests->setCurrentItem(chosen);
        tvBests->scrollToItem(chosen, QAbstractItemView::PositionAtTop);
    }
}

void frmPersonalBests::loadPredictions() {
    const bool miles = m_state.miles();
    std::vector<RacePredictions::Prediction> predictions;
    try {
        predictions =
            RacePredictions::compute(*CLibrary().GetConnection(), m_state.currentUser(), Clock::today());
    } catch (const std::exception& e) {
        // Said in the list, not in a second message box: the bests read the same race log and
        // have reported a failure to read it already.
        auto* failure = new QTreeWidgetItem(
            tvPredictions, {QStringLiteral("Could not retrieve race predictions - ") + describe(e)});
        failure->setFirstColumnSpanned(true);
        return;
    }
    if (predictions.empty()) {
        auto* message = new QTreeWidgetItem(tvPredictions, {RacePredictions::noRaceMessage()});
        message->setFirstColumnSpanned(true);
        return;
    }
    for (const RacePredictions::Prediction& p : predictions) {
        auto* row = new QTreeWidgetItem(
            tvPredictions, {RacePredictions::distanceText(p.target, miles),
                            p.predicted ? CLibrary::MinutesToString(p.minutes) : QStringLiteral("-"),
                            RacePredictions::fromText(
                                p, p.from.date.isValid() ? DateText::shortDate(p.from.date) : QString())});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < 2; ++column)
        tvPredictions->resizeColumnToContents(column);
}

void frmPersonalBests::btnExit_Click() {
    reject();
}
