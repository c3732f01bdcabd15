#include "Triangulator.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "PaceMath.h"

Triangulator::Triangulator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Triangulator"));

    lblTitle = new QLabel(QStringLiteral("PACE/TIME CALCULATOR"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle->setFont(titleFont);

    Frame1 = new QGroupBox(QStringLiteral("Calculate"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    optPace = new QRadioButton(QStringLiteral("Pace"), Frame1);
    optPace->setObjectName(QStringLiteral("optPace"));
    optPace->setToolTip(QStringLiteral("Calculate pace for distance and time"));
    optPace->setChecked(true);
    optTime = new QRadioButton(QStringLiteral("Time"), Frame1);
    optTime->setObjectName(QStringLiteral("optTime"));
    optTime->setToolTip(QStringLiteral("Calculate time for distance and pace"));
    auto* modes = new QHBoxLayout(Frame1);
    modes->addWidget(optPace);
    modes->addWidget(optTime);

    chkMiles = new QCheckBox(QStringLiteral("Distance is Miles"), this);
    chkMiles->setObjectName(QStringLiteral("chkMiles"));
    chkMiles->setToolTip(QStringLiteral("Enter data in miles or kilometers"));
    chkMiles->setChecked(true);

    txtMiles = addBox("txtMiles", QStringLiteral("Enter miles"));
    lblMiles = addLabel("lblMiles", QStringLiteral("Miles:"), txtMiles);
    txtKM = addBox("txtKM", QStringLiteral("Enter kilometers"));
    lblKM = addLabel("lblKM", QStringLiteral("KM:"), txtKM);
    txtTime = addBox("txtTime", QStringLiteral("Enter time in the format hh:mm:ss"));
    lblTime = addLabel("lblTime", QStringLiteral("Time (hr:mm:ss):"), txtTime);
    txtMilePace = addBox("txtMilePace", QStringLiteral("Enter pace in the format hh:mm:ss"));
    lblMilePace = addLabel("lblMilePace", QStringLiteral("Miles Pace:"), txtMilePace);
    txtKMPace = addBox("txtKMPace", QStringLiteral("Enter pace in the format hh:mm:ss"));
    lblKMPace = addLabel("lblKMPace", QStringLiteral("KM Pace:"), txtKMPace);

    auto* top = new QHBoxLayout;
    top->addWidget(Frame1);
    top->addStretch();
    top->addWidget(chkMiles);

    m_rows = new QGridLayout;
    m_rows->setColumnStretch(1, 1);
    m_rows->setColumnStretch(3, 1);
    m_rows->setColumnMinimumWidth(2, 0);
    m_rows->addWidget(lblMiles, 0, 0);
    m_rows->addWidget(txtMiles, 0, 1);
    m_rows->addWidget(lblKM, 0, 2);
    m_rows->addWidget(txtKM, 0, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(top);
    layout->addLayout(m_rows);
    layout->addStretch();

    // A change typed into a box rewrites the boxes worked out from it.
    for (int i = 0; i < PaceMath::BoxCount; ++i) {
        const auto box = static_cast<PaceMath::Box>(i);
        connect(boxes()[i], &QLineEdit::textChanged, this, [this, box] { boxChanged(box); });
    }
    connect(chkMiles, &QCheckBox::clicked, this, &Triangulator::chkMiles_Click);
    // toggled, not clicked: arrow keys inside the frame change the mode as well.
    connect(optPace, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optPace_Click();
    });
    connect(optTime, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTime_Click();
    });

    arrangeRows();
    SetEntryFields();
}

QLineEdit* Triangulator::addBox(const char* name, const QString& tooltip) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tooltip);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00")) + 16);
    box->installEventFilter(this);
    return box;
}

QLabel* Triangulator::addLabel(const char* name, const QString& caption, QLineEdit* buddy) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

bool Triangulator::eventFilter(QObject* watched, QEvent* event) {
    // Entering a box selects its whole text, so typing replaces it. Deferred, so that the
    // click that gave the focus does not clear the selection again.
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(watched, event);
}

bool Triangulator::paceMode() const {
    return optPace->isChecked();
}

void Triangulator::setDistance(bool miles) {
    const bool changed = miles != m_miles;
    m_miles = miles;
    chkMiles->setChecked(miles);
    SetEntryFields();
    if (changed)
        emit DistanceChanged(miles);
}

void Triangulator::SetEntryFields() {
    const auto all = boxes();
    for (int i = 0; i < PaceMath::BoxCount; ++i)
        all[i]->setEnabled(PaceMath::takesInput(static_cast<PaceMath::Box>(i), m_miles, paceMode()));
    // Focus given to the control goes to the distance that is typed.
    setFocusProxy(m_miles ? txtMiles : txtKM);
}

void Triangulator::arrangeRows() {
    const bool pace = paceMode();
    const int timeRow = pace ? 1 : 2;
    const int paceRow = pace ? 2 : 1;
    for (QWidget* w : {static_cast<QWidget*>(lblTime), static_cast<QWidget*>(txtTime),
                       static_cast<QWidget*>(lblMilePace), static_cast<QWidget*>(txtMilePace),
                       static_cast<QWidget*>(lblKMPace), static_cast<QWidget*>(txtKMPace)})
        m_rows->removeWidget(w);
    m_rows->addWidget(lblTime, timeRow, 0);
    m_rows->addWidget(txtTime, timeRow, 1);
    m_rows->addWidget(lblMilePace, paceRow, 0);
    m_rows->addWidget(txtMilePace, paceRow, 1);
    m_rows->addWidget(lblKMPace, paceRow, 2);
    m_rows->addWidget(txtKMPace, paceRow, 3);

    // Tab follows the rows as they stand; boxes that are shown only are skipped.
    QWidget* order[] = {optPace,
                        optTime,
                        chkMiles,
                        txtMiles,
                        txtKM,
                        pace ? txtTime : txtMilePace,
                        pace ? txtMilePace : txtKMPace,
                        pace ? txtKMPace : txtTime};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

std::array<QLineEdit*, PaceMath::BoxCount> Triangulator::boxes() const {
    return {txtMiles, txtKM, txtTime, txtMilePace, txtKMPace};
}

void Triangulator::boxChanged(PaceMath::Box changed) {
    // The boxes written here fire this again; those nested calls change nothing.
    if (m_writing)
        return;
    const auto all = boxes();
    PaceMath::Fields fields;
    for (int i = 0; i < PaceMath::BoxCount; ++i)
        fields.text[i] = all[i]->text();
    const PaceMath::Fields worked = PaceMath::afterChange(fields, changed, m_miles, paceMode());
    m_writing = true;
    // Only the boxes whose text changes are written, so the box being typed in keeps its cursor.
    for (int i = 0; i < PaceMath::BoxCount; ++i)
        if (worked.text[i] != fields.text[i])
            all[i]->setText(worked.text[i]);
    m_writing = false;
}

void Triangulator::chkMiles_Click() {
    setDistance(chkMiles->isChecked());
}

void Triangulator::optPace_Click() {
    arrangeRows();
    SetEntryFields();
}

void Triangulator::optTime_Click() {
    arrangeRows();
    SetEntryFields();
}
