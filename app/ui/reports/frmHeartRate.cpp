#include "frmHeartRate.h"

#include "CLibrary.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "HeartRate.h"
#include "SharedState.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* field(const QString& name, int chars, QWidget* parent) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(name);
    f->setMaxLength(8);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 16);
    Fields::selectAllOnFocus(f);
    return f;
}

} // namespace

frmHeartRate::frmHeartRate(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmHeartRate"));
    setWindowTitle(QStringLiteral("Heart Rate"));

    txtMax = field(QStringLiteral("txtMax"), 4, this);
    txtRest = field(QStringLiteral("txtRest"), 4, this);
    auto* zones = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        txtZone[i] = field(QStringLiteral("txtZone%1").arg(i + 1), 3, this);
        txtZone[i]->setToolTip(QStringLiteral("Zone %1 starts at this percentage of the maximum").arg(i + 1));
        zones->addWidget(txtZone[i]);
        connect(txtZone[i], &QLineEdit::textChanged, this, [this] { showBounds(); });
    }
    zones->addWidget(new QLabel(QStringLiteral("% of maximum"), this));
    zones->addStretch();
    connect(txtMax, &QLineEdit::textChanged, this, [this] { showBounds(); });
    lblBounds = new QLabel(this);
    lblBounds->setObjectName(QStringLiteral("lblBounds"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Maximum (bpm):"), txtMax);
    form->addRow(QStringLiteral("&Resting (bpm):"), txtRest);
    form->addRow(QStringLiteral("&Zones 1 to 5 from:"), zones);
    form->addRow(QString(), lblBounds);
    static_cast<QLabel*>(form->labelForField(zones))->setBuddy(txtZone[0]);

    btnSave = new QPushButton(QStringLiteral("&Save"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setDefault(true);
    btnExit = new QPushButton(QStringLiteral("E&xit"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnExit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(btnSave, &QPushButton::clicked, this, &frmHeartRate::btnSave_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmHeartRate::btnExit_Click);
    m_formLoad = new FormLoad(this, [this] {
        HeartRate::Settings s;
        try {
            s = HeartRate::read(*CLibrary().GetConnection(), m_state.currentUser());
        } catch (const std::exception& e) {
            Dialogs::message(this, QStringLiteral("Could not retrieve heart rate - ") + describe(e) +
                                       QStringLiteral(" - In frmHeartRate Form_Load"));
        }
        txtMax->setText(s.max ? QString::number(*s.max) : QString());
        txtRest->setText(s.rest ? QString::number(*s.rest) : QString());
        for (int i = 0; i < 5; ++i)
            txtZone[i]->setText(QString::number(s.zones[i]));
        showBounds();
    });
}

void frmHeartRate::Form_Load() {
    m_formLoad->run();
}

// "Zone 1 from 92 bpm, 2 from 111, ..." for the maximum and bounds as typed; empty until both
// read as settings.
void frmHeartRate::showBounds() {
    QStringList parts;
    for (const QLineEdit* z : txtZone)
        parts << z->text().trimmed();
    const auto zones = HeartRate::parseZones(parts.join(QLatin1Char(',')));
    bool ok = false;
    const int max = txtMax->text().trimmed().toInt(&ok);
    if (!zones || !ok || max < HeartRate::Lowest || max > HeartRate::Highest) {
        lblBounds->clear();
        return;
    }
    const std::array<int, 5> from = HeartRate::bounds(max, *zones);
    QStringList text;
    for (int i = 0; i < 5; ++i)
        text << QStringLiteral("%1 from %2").arg(i + 1).arg(from[i]);
    lblBounds->setText(QStringLiteral("Zone ") + text.join(QStringLiteral(", ")) + QStringLiteral(" bpm"));
}

void frmHeartRate::btnSave_Click() {
    HeartRate::Settings s;
    try {
        s.max = HeartRate::rateFrom(txtMax->text(), "maximum");
        s.rest = HeartRate::rateFrom(txtRest->text(), "resting");
        QStringList parts;
        for (const QLineEdit* z : txtZone)
            parts << z->text().trimmed();
        s.zones = HeartRate::zonesFrom(parts.join(QLatin1Char(',')));
        HeartRate::check(s);
    } catch (const std::exception& e) {
        Dialogs::message(this, describe(e));
        return;
    }
    try {
        HeartRate::save(*CLibrary().GetConnection(), m_state.currentUser(), s);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Problem saving heart rate - ") + describe(e) +
                                   QStringLiteral(" - In frmHeartRate btnSave_Click"));
        return;
    }
    accept();
}

void frmHeartRate::btnExit_Click() {
    reject();
}
