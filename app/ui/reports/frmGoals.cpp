#include "frmGoals.h"

#include "CLibrary.h"
#include "Clock.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "Goals.h"
#include "SharedState.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmGoals::frmGoals(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmGoals"));
    setWindowTitle(QStringLiteral("Goals"));

    lstGoals = new QTreeWidget(this);
    lstGoals->setObjectName(QStringLiteral("lstGoals"));
    lstGoals->setHeaderLabels({QStringLiteral("Kind"), QStringLiteral("Period"), QStringLiteral("Target"),
                               QStringLiteral("Progress")});
    lstGoals->setRootIsDecorated(false);
    lstGoals->setUniformRowHeights(true);
    lstGoals->header()->setStretchLastSection(true);

    cbKind = new QComboBox(this);
    cbKind->setObjectName(QStringLiteral("cbKind"));
    cbKind->addItems(Goals::kinds());
    cbPeriod = new QComboBox(this);
    cbPeriod->setObjectName(QStringLiteral("cbPeriod"));
    cbPeriod->addItems(Goals::periods());

    optDistance = new QRadioButton(QStringLiteral("&Distance"), this);
    optDistance->setObjectName(QStringLiteral("optDistance"));
    optTime = new QRadioButton(QStringLiteral("&Time"), this);
    optTime->setObjectName(QStringLiteral("optTime"));
    auto* group = new QButtonGroup(this);
    group->addButton(optDistance);
    group->addButton(optTime);
    optDistance->setChecked(true);
    auto* target = new QHBoxLayout;
    target->addWidget(optDistance);
    target->addWidget(optTime);
    target->addStretch();

    txtTarget = new QLineEdit(this);
    txtTarget->setObjectName(QStringLiteral("txtTarget"));
    Fields::selectAllOnFocus(txtTarget);
    lblUnit = new QLabel(this);
    lblUnit->setObjectName(QStringLiteral("lblUnit"));
    auto* amount = new QHBoxLayout;
    amount->addWidget(txtTarget);
    amount->addWidget(lblUnit);
    amount->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Kind:"), cbKind);
    form->addRow(QStringLiteral("&Period:"), cbPeriod);
    form->addRow(QStringLiteral("Target:"), target);
    form->addRow(QString(), amount);
    static_cast<QLabel*>(form->labelForField(cbKind))->setBuddy(cbKind);

    btnSave = button("btnSave", "&Save Goal", this);
    btnSave->setDefault(true); // Enter in the target saves
    btnRemove = button("btnRemove", "&Remove Goal", this);
    btnExit = button("btnExit", "E&xit", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSave);
    buttons->addWidget(btnRemove);
    buttons->addStretch();
    buttons->addWidget(btnExit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstGoals, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    const QFontMetrics fm(font());
    resize(fm.horizontalAdvance(QLatin1Char('x')) * 70, fm.height() * 22);

    connect(lstGoals, &QTreeWidget::itemClicked, this, [this] { lstGoals_Click(); });
    connect(cbKind, qOverload<int>(&QComboBox::activated), this, [this] { cbKind_Click(); });
    connect(optDistance, &QRadioButton::toggled, this, [this] { showUnit(); });
    connect(btnSave, &QPushButton::clicked, this, &frmGoals::btnSave_Click);
    connect(btnRemove, &QPushButton::clicked, this, &frmGoals::btnRemove_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmGoals::btnExit_Click);

    m_formLoad = new FormLoad(this, [this] {
        showUnit();
        fillList();
    });
}

void frmGoals::Form_Load() {
    m_formLoad->run();
}

void frmGoals::fillList() {
    lstGoals->clear();
    const bool miles = m_state.miles();
    std::vector<GoalProgress> goals;
    try {
        goals = Goals::progress(*CLibrary().GetConnection(), m_state.currentUser(), Clock::today(), miles);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve goals - ") + describe(e) +
                                   QStringLiteral(" - In frmGoals Form_Load"));
        return;
    }
    for (const GoalProgress& p : goals) {
        const QString unit = Goals::unitOf(p.goal, miles);
        auto* row = new QTreeWidgetItem(lstGoals, {p.goal.kind, p.goal.period,
                                                   Goals::targetText(p.goal, miles) +
                                                       (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit),
                                                   Goals::amountsText(p, miles)});
        row->setData(0, Qt::UserRole, Goals::targetText(p.goal, miles));
        row->setData(1, Qt::UserRole, p.goal.time);
    }
    for (int column = 0; column < 3; ++column)
        lstGoals->resizeColumnToContents(column);
}

// The unit beside the target follows the kind and whether it is a distance or a time.
void frmGoals::showUnit() {
    const bool all = cbKind->currentText() == QLatin1String("All");
    optDistance->setEnabled(!all);
    if (all && optDistance->isChecked())
        optTime->setChecked(true);
    Goal goal;
    goal.kind = cbKind->currentText();
    goal.time = optTime->isChecked();
    lblUnit->setText(goal.time ? QStringLiteral("h:mm") : Goals::unitOf(goal, m_state.miles()));
}

void frmGoals::lstGoals_Click() {
    const QTreeWidgetItem* row = lstGoals->currentItem();
    if (!row)
        return;
    cbKind->setCurrentText(row->text(0));
    cbPeriod->setCurrentText(row->text(1));
    (row->data(1, Qt::UserRole).toBool() ? optTime : optDistance)->setChecked(true);
    showUnit();
    txtTarget->setText(row->data(0, Qt::UserRole).toString());
}

void frmGoals::cbKind_Click() {
    showUnit();
}

void frmGoals::btnSave_Click() {
    const bool time = optTime->isChecked();
    Goal goal;
    try {
        goal =
            Goals::make(cbKind->currentText(), cbPeriod->currentText(), time ? QString() : txtTarget->text(),
                        time ? txtTarget->text() : QString(), m_state.miles());
    } catch (const std::exception& e) {
        Dialogs::message(this, describe(e));
        txtTarget->setFocus();
        return;
    }
    try {
        Goals::save(*CLibrary().GetConnection(), m_state.currentUser(), goal);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Problem saving goal - ") + describe(e) +
                                   QStringLiteral(" - In frmGoals btnSave_Click"));
        return;
    }
    fillList();
}

void frmGoals::btnRemove_Click() {
    try {
        if (!Goals::remove(*CLibrary().GetConnection(), m_state.currentUser(), cbKind->currentText(),
                           cbPeriod->currentText())) {
            Dialogs::message(this, QStringLiteral("There is no %1 goal for %2.")
                                       .arg(cbPeriod->currentText(), cbKind->currentText()));
            return;
        }
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Problem removing goal - ") + describe(e) +
                                   QStringLiteral(" - In frmGoals btnRemove_Click"));
        return;
    }
    txtTarget->clear();
    fillList();
}

void frmGoals::btnExit_Click() {
    reject();
}
