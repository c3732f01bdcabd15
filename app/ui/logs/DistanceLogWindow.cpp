#include "DistanceLogWindow.h"

#include "CLibrary.h"
#include "Connection.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "TrackStore.h"
#include "frmWorkoutDetail.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

DistanceLogWindow::DistanceLogWindow(SharedState& state, const Kind& kind, const QString& rateCaption,
                                     QWidget* parent)
    : LogWindow(state, kind, parent) {
    createDistanceFields(this, txtTime, true);
    lblMiles = makeLabel(QStringLiteral("lblMiles"), QStringLiteral("Miles:"));
    lblKilometers = makeLabel(QStringLiteral("lblKilometers"), QStringLiteral("Kilometers:"));
    lblPace = makeLabel(QStringLiteral("lblPace"), rateCaption);
    cbCourse = makeCombo(QStringLiteral("cbCourse"));
    Fields::selectAllOnFocus(cbCourse);
}

void DistanceLogWindow::addDistanceRows() {
    addDateRows();
    addPair(lblMiles, txtMiles, lblKilometers, txtKilometers);
    addRow(QStringLiteral("lblCourse"), QStringLiteral("Course:"), cbCourse);
    addTimeRow(lblPace, txtPace);
}

void DistanceLogWindow::loadCourses(Connection& conn) {
    Fields::appendItems(cbCourse, conn.column(Tables::pickListSql(*m_kind.detail, "Course"),
                                              QStringLiteral("Course"), {userName()}));
}

void DistanceLogWindow::applyUnit() {
    bMiles = m_state.miles();
    txtMiles->setEnabled(bMiles);
    txtKilometers->setEnabled(!bMiles);
}

void DistanceLogWindow::detailFilled(const ResultSet& row, bool reportMiles) {
    txtPace->setText(
        safeRate(row.field(QStringLiteral("Exercise_Time")),
                 row.field(reportMiles ? QStringLiteral("Miles") : QStringLiteral("Kilometers"))));
}

QWidget* DistanceLogWindow::watchGear(QComboBox* combo, GearWear::Gear gear, const QString& distanceName) {
    m_gearCombo = combo;
    m_gear = gear;
    lblGearDistance = new QLabel(this);
    lblGearDistance->setObjectName(distanceName);
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(combo, 1);
    layout->addWidget(lblGearDistance);
    connect(combo, &QComboBox::currentTextChanged, this, [this] { showGearDistance(); });
    return row;
}

std::optional<GearWear::Wear> DistanceLogWindow::readWear() const {
    const QString item = m_gearCombo ? m_gearCombo->currentText().trimmed() : QString();
    if (item.isEmpty())
        return std::nullopt;
    try {
        return GearWear::read(*CLibrary().GetConnection(), m_gear, userName(), item);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void DistanceLogWindow::showGearDistance() {
    if (!lblGearDistance)
        return;
    // A distance that cannot be read is left out rather than reported on every keystroke.
    const auto wear = readWear();
    lblGearDistance->setText(wear ? GearWear::label(*wear, bMiles) : QString());
}

bool DistanceLogWindow::withinLimits() const {
    return LogWindow::withinLimits() && distancesWithinLimits();
}

bool DistanceLogWindow::saveWith(const std::function<bool()>& write) {
    if (!m_gearCombo)
        return write();
    // Read before the write, so the warning is given by the save that crosses the mark and by
    // no later one; a failed read leaves the warning out, never the save.
    const auto before = readWear();
    const bool ok = write();
    if (ok && before) {
        if (const auto after = readWear()) {
            const QString warning = GearWear::crossingMessage(m_gear, *before, *after, bMiles);
            if (!warning.isEmpty())
                Dialogs::message(this, warning);
        }
    }
    return ok;
}

void DistanceLogWindow::addTrackButton() {
    btnTrack = new QPushButton(QStringLiteral("Track..."), this);
    btnTrack->setObjectName(QStringLiteral("btnTrack"));
    btnTrack->setAutoDefault(false);
    btnTrack->hide();
    // The row of buttons is the last item of the window's layout.
    auto* outer = static_cast<QVBoxLayout*>(layout());
    if (auto* buttons = qobject_cast<QBoxLayout*>(outer->itemAt(outer->count() - 1)->layout()))
        buttons->insertWidget(buttons->indexOf(btnExit), btnTrack);
    setTabOrder(btnDelete, btnTrack);
    setTabOrder(btnTrack, btnExit);
    connect(btnTrack, &QPushButton::clicked, this, &DistanceLogWindow::btnTrack_Click);
}

void DistanceLogWindow::modeSet(bool editing) {
    if (!btnTrack)
        return;
    btnTrack->setVisible(editing);
    bool has = false;
    if (editing) {
        // A track that cannot be looked up is as good as none here; opening it would fail too.
        try {
            bool ok = false;
            const qint64 id = txtID->text().trimmed().toLongLong(&ok);
            has = ok && TrackStore::has(*CLibrary().GetConnection(), id);
        } catch (const std::exception&) {
            has = false;
        }
    }
    btnTrack->setEnabled(has);
}

void DistanceLogWindow::btnTrack_Click() {
    bool ok = false;
    const qint64 id = txtID->text().trimmed().toLongLong(&ok);
    if (!ok)
        return;
    // A child of this window while it is open, so this modal window does not block it; moved to
    // this window's own parent when it closes, so it stays open.
    auto* detail = new frmWorkoutDetail(m_state, this);
    if (!detail->openWorkout(id)) {
        delete detail;
        return;
    }
    QPointer<QWidget> keep(parentWidget());
    connect(this, &QDialog::finished, detail, [detail, keep] {
        const QRect where = detail->geometry();
        detail->setParent(keep, Qt::Window);
        detail->setGeometry(where);
        detail->show();
    });
    detail->show();
}
