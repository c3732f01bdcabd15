#include "LogDialog.h"

#include "CLibrary.h"
#include "Dialogs.h"
#include "DiscardGuard.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "WorkoutLimits.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LogDialog::LogDialog(const QString& name, const QString& caption, QWidget* parent) : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(caption);
    m_formLoad = new FormLoad(this, [this] { load(); });

    auto* outer = new QVBoxLayout(this);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(8);
    m_grid->setColumnStretch(1, 1);
    m_grid->setColumnStretch(3, 1);
    outer->addLayout(m_grid);

    auto makeButton = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        // Only the mode's own button takes Return (showModeButtons), not the one that has focus.
        b->setAutoDefault(false);
        return b;
    };
    btnUpdate = makeButton(QStringLiteral("btnUpdate"), QStringLiteral("Update Record"));
    btnAdd = makeButton(QStringLiteral("btnAdd"), QStringLiteral("Add Record"));
    btnDelete = makeButton(QStringLiteral("btnDelete"), QStringLiteral("Delete Record"));
    btnExit = makeButton(QStringLiteral("btnExit"), QStringLiteral("EXIT"));
    connect(btnExit, &QPushButton::clicked, this, &LogDialog::btnExit_Click);
    // Esc after typing asks before the input is thrown away.
    new DiscardGuard(this);
}

// --- Loading -----------------------------------------------------------------------------------

void LogDialog::Form_Load() {
    m_formLoad->run();
}

// --- Building ----------------------------------------------------------------------------------

QLineEdit* LogDialog::makeLineEdit(const QString& name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    return e;
}

QComboBox* LogDialog::makeCombo(const QString& name) {
    auto* c = new QComboBox(this);
    c->setObjectName(name);
    Fields::plainCombo(c);
    c->setMinimumContentsLength(16);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

QLabel* LogDialog::makeLabel(const QString& name, const QString& caption) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel* LogDialog::addRow(const QString& labelName, const QString& caption, QWidget* field) {
    QLabel* label = makeLabel(labelName, caption);
    addRow(label, field);
    return label;
}

void LogDialog::addRow(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    m_grid->addWidget(label, m_row, 0);
    m_grid->addWidget(field, m_row, 1, 1, 3);
    ++m_row;
}

void LogDialog::addPair(QLabel* label1, QWidget* field1, QLabel* label2, QWidget* field2) {
    label1->setBuddy(field1);
    m_grid->addWidget(label1, m_row, 0);
    m_grid->addWidget(field1, m_row, 1);
    if (label2 && field2) {
        label2->setBuddy(field2);
        m_grid->addWidget(label2, m_row, 2);
        m_grid->addWidget(field2, m_row, 3);
    }
    ++m_row;
}

void LogDialog::addHeading(QWidget* heading) {
    auto* outer = static_cast<QVBoxLayout*>(layout());
    outer->insertSpacing(0, 6);
    outer->insertWidget(0, heading);
}

void LogDialog::finishLayout(QList<QWidget*> tabOrder) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* outer = static_cast<QVBoxLayout*>(layout());
    outer->addSpacing(8);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    if (!tabOrder.contains(btnExit))
        tabOrder << btnUpdate << btnAdd << btnDelete << btnExit;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void LogDialog::showModeButtons(bool editing) {
    btnUpdate->setVisible(editing);
    btnDelete->setVisible(editing);
    btnAdd->setVisible(!editing);
    // Return in a field presses Add, or Update when a stored record is shown.
    btnAdd->setDefault(!editing);
    btnUpdate->setDefault(editing);
}

void LogDialog::fitToContent() {
    layout()->invalidate();
    layout()->activate();
    adjustSize();
}

void LogDialog::returnMovesOn(QWidget* field) {
    m_returnMovesOn << field;
    field->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        m_returnMovesOn << combo->lineEdit();
        combo->lineEdit()->installEventFilter(this);
    }
}

bool LogDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_returnMovesOn.contains(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QStringList LogDialog::visibleButtons() const {
    QStringList shown;
    for (const QPushButton* b : {btnUpdate, btnAdd, btnDelete, btnExit})
        if (!b->isHidden())
            shown << b->text();
    return shown;
}

// --- Writing -----------------------------------------------------------------------------------

bool LogDialog::hasId(const QLineEdit* id) {
    if (!id->text().isEmpty())
        return true;
    Dialogs::message(this, QStringLiteral("No ID found"));
    return false;
}

void LogDialog::finishWrite(Write what, const std::function<bool()>& write) {
    bool ok = false;
    try {
        ok = (what == Write::Delete || withinLimits()) && write();
    } catch (const std::exception&) {
        ok = false; // a value that cannot go into the statement: nothing was written
    }
    static const char* const done[] = {"data entered", "Record Updated", "Record Deleted"};
    static const char* const failed[] = {"Problem entering data", "Problem updating record",
                                         "Problem deleting record"};
    const auto i = static_cast<int>(what);
    Dialogs::message(this, QString::fromLatin1(ok ? done[i] : failed[i]));
    if (ok)
        accept();
}

bool LogDialog::timeWithinLimit(const QString& time) {
    double minutes = 0;
    try {
        minutes = CLibrary::GetMinutes(time);
    } catch (const std::exception&) {
        return true;
    }
    return WorkoutLimits::minutesOk(minutes);
}

void LogDialog::btnExit_Click() {
    reject();
}

// --- Fields and columns -----------------------------------------------------------------------------------

QString LogDialog::readFailureMessage(const QString& description) {
    return QStringLiteral("Could not retrieve data - ") + description +
           QStringLiteral(" - In frmTextRpt lstReport_DblClick");
}

Tables::Values LogDialog::fieldValues() const {
    return [this](const Tables::Column& column) { return column.field ? columnText(column) : QString(); };
}

QString LogDialog::columnText(const Tables::Column& column) const {
    return Fields::text(findChild<QWidget*>(QLatin1String(column.field)));
}

void LogDialog::fillFields(const Tables::Table& table, const ResultSet& row) {
    for (const Tables::Column& column : table.columns)
        if (column.edited && column.field)
            if (QWidget* field = findChild<QWidget*>(QLatin1String(column.field)))
                Fields::setText(field, row.field(QLatin1String(column.name)));
}
