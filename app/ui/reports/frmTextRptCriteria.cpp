#include "frmTextRptCriteria.h"

#include "CLibrary.h"
#include "Clock.h"
#include "DatePicker.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "ReportCriteria.h"
#include "SharedState.h"
#include "Transaction.h"
#include "WorkoutKinds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
template <class T> T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

frmTextRptCriteria::frmTextRptCriteria(SharedState& state, QWidget* parent)
    : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmTextRptCriteria"));
    setWindowTitle(QStringLiteral("Report Criteria"));

    chkLimitByDate = named(new QCheckBox(QStringLiteral("Limit By Date"), this), "chkLimitByDate");
    fraDateRange = named(new QGroupBox(QStringLiteral("Date Range"), this), "fraDateRange");
    optCurrentMonth =
        named(new QRadioButton(QStringLiteral("Current Month"), fraDateRange), "optCurrentMonth");
    optCurrentYear = named(new QRadioButton(QStringLiteral("Current Year"), fraDateRange), "optCurrentYear");
    optDateRange = named(new QRadioButton(QStringLiteral("Date Range"), fraDateRange), "optDateRange");
    DTBeginDate = named(new DatePicker(fraDateRange), "DTBeginDate");
    DTEndDate = named(new DatePicker(fraDateRange), "DTEndDate");
    auto* dates = new QGridLayout(fraDateRange);
    dates->addWidget(optCurrentMonth, 0, 0, Qt::AlignLeft);
    dates->addWidget(optCurrentYear, 1, 0, Qt::AlignLeft);
    dates->addWidget(optDateRange, 2, 0, Qt::AlignLeft);
    dates->addWidget(new QLabel(QStringLiteral(">="), fraDateRange), 0, 1);
    dates->addWidget(DTBeginDate, 0, 2);
    dates->addWidget(new QLabel(QStringLiteral("<="), fraDateRange), 1, 1);
    dates->addWidget(DTEndDate, 1, 2);

    lblEqual = named(new QLabel(QStringLiteral("Miles ="), this), "lblEqual");
    lblGtr = named(new QLabel(QStringLiteral("Miles >="), this), "lblGtr");
    lblLess = named(new QLabel(QStringLiteral("Miles <="), this), "lblLess");
    lblOR = named(new QLabel(QStringLiteral("OR"), this), "lblOR");
    txtEqualMiles = named(new QLineEdit(this), "txtEqualMiles");
    txtGtrMiles = named(new QLineEdit(this), "txtGtrMiles");
    txtLessMiles = named(new QLineEdit(this), "txtLessMiles");
    for (QLineEdit* box : {txtEqualMiles, txtGtrMiles, txtLessMiles})
        Fields::selectAllOnFocus(box);
    auto* numbers = new QGridLayout;
    numbers->addWidget(lblEqual, 0, 0);
    numbers->addWidget(txtEqualMiles, 0, 1);
    numbers->addWidget(lblOR, 1, 0, 1, 2, Qt::AlignCenter);
    numbers->addWidget(lblGtr, 2, 0);
    numbers->addWidget(txtGtrMiles, 2, 1);
    numbers->addWidget(lblLess, 3, 0);
    numbers->addWidget(txtLessMiles, 3, 1);

    lstLabel = named(new QLabel(QStringLiteral("Courses"), this), "lstLabel");
    lstCourses = named(new QListWidget(this), "lstCourses");
    lstCourses->setSelectionMode(QAbstractItemView::MultiSelection);
    lblBike = named(new QLabel(QStringLiteral("Bike:"), this), "lblBike");
    cbBike = named(new QComboBox(this), "cbBike");
    cbBike->setEditable(true);
    Fields::plainCombo(cbBike);
    lblBike->setBuddy(cbBike);
    lblBike->hide();
    cbBike->hide();

    btnOK = named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    btnOK->setDefault(true);
    txtID = named(new QLineEdit(this), "txtID");
    txtID->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(chkLimitByDate, 0, Qt::AlignLeft);
    left->addWidget(fraDateRange);
    left->addLayout(numbers);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(lstLabel);
    right->addWidget(lstCourses, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* comboRow = new QHBoxLayout;
    comboRow->addWidget(lblBike);
    comboRow->addWidget(cbBike, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(comboRow);
    layout->addLayout(buttons);

    connect(chkLimitByDate, &QCheckBox::clicked, this, [this] { chkLimitByDate_Click(); });
    connect(optCurrentMonth, &QRadioButton::clicked, this, [this] { optCurrentMonth_Click(); });
    connect(optCurrentYear, &QRadioButton::clicked, this, [this] { optCurrentYear_Click(); });
    connect(optDateRange, &QRadioButton::clicked, this, [this] { optDateRange_Click(); });
    connect(txtEqualMiles, &QLineEdit::textChanged, this, [this] { txtEqualMiles_Change(); });
    connect(txtGtrMiles, &QLineEdit::textChanged, this, [this] { txtGtrMiles_Change(); });
    connect(txtLessMiles, &QLineEdit::textChanged, this, [this] { txtLessMiles_Change(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });

    resize(Fields::twips(6600), Fields::twips(4900));
    m_formLoad = new FormLoad(this, [this] {
        bMiles = m_state.miles();
        const QString unit = bMiles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
        lblEqual->setText(unit + QStringLiteral(" ="));
        lblGtr->setText(unit + QStringLiteral(" >="));
        lblLess->setText(unit + QStringLiteral(" <="));
    });
}

void frmTextRptCriteria::Form_Load() {
    m_formLoad->run();
}

bool frmTextRptCriteria::setKind(const QString& kind) {
    if (!ReportCriteria::isKind(kind))
        return false;
    Form_Load();
    txtID->setText(kind);
    const auto hideNumbers = [this] {
        for (QWidget* w : std::initializer_list<QWidget*>{lblOR, lblEqual, lblGtr, lblLess, txtEqualMiles,
                                                          txtGtrMiles, txtLessMiles})
            w->hide();
    };
    // The caption and list label of each kind's criteria; the combined time report (no kind)
    // reads like the user's own exercises.
    static const struct {
        const WorkoutKinds::Kind* kind;
        const char* title;
        const char* list; // nullptr: the list keeps its label
    } captions[] = {
        {&WorkoutKinds::Running, "Run Report Criteria", nullptr},
        {&WorkoutKinds::Cycling, "Cycling Report Criteria", nullptr},
        {&WorkoutKinds::Swimming, "Swimming Report Criteria", "Location"},
        {&WorkoutKinds::Video, "Video Report Criteria", "Videos"},
        {&WorkoutKinds::Other, "Exercise Report Criteria", "Exercises"},
        {nullptr, "Exercise Report Criteria", "Exercises"},
    };
    const WorkoutKinds::Kind* k = WorkoutKinds::find(kind);
    const ReportCriteria::Columns columns = ReportCriteria::columns(kind, true);
    if (k && k->isRace()) {
        setWindowTitle(QStringLiteral("Race Report Criteria"));
        lstLabel->setText(QStringLiteral("Race Types"));
        lblBike->setText(QStringLiteral("Race Type:"));
    }
    for (const auto& c : captions) {
        if (c.kind != k)
            continue;
        setWindowTitle(QLatin1String(c.title));
        if (c.list)
            lstLabel->setText(QLatin1String(c.list));
    }
    if (columns.numeric.isEmpty())
        hideNumbers();
    if (k && k->unit == WorkoutKinds::Unit::Laps) {
        lblEqual->setText(QStringLiteral("Laps ="));
        lblGtr->setText(QStringLiteral("Laps >="));
        lblLess->setText(QStringLiteral("Laps <="));
    }
    if (!columns.combo.isEmpty()) {
        lblBike->show();
        cbBike->show();
    }
    return true;
}

void frmTextRptCriteria::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmTextRptCriteria::Form_Activate() {
    Form_Load();
    const QString kind = txtID->text();
    const QString user = m_state.currentUser();
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        Transaction read(*conn, Transaction::Mode::Read);
        lstCourses->clear();
        lstCourses->addItems(conn->column(ReportCriteria::listQuery(kind, user), QStringLiteral("dCourse")));
        const QString combo = ReportCriteria::comboQuery(kind, user);
        if (!combo.isEmpty())
            Fields::appendItems(cbBike, conn->column(combo, ReportCriteria::comboField(kind)));
        read.commit();
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve data - ") + describe(e) +
                                   QStringLiteral(" - In frmTextRptCriteria Form_Activate"));
    }
    optCurrentMonth->setChecked(true);
    const QDate today = Clock::today();
    DTBeginDate->setValue(today.addMonths(-1));
    DTEndDate->setValue(today);
    chkLimitByDate_Click();
}

void frmTextRptCriteria::EnableDatePickers(bool enabled) {
    DTBeginDate->setEnabled(enabled);
    DTEndDate->setEnabled(enabled);
}

void frmTextRptCriteria::chkLimitByDate_Click() {
    const bool on = chkLimitByDate->isChecked();
    for (QRadioButton* o : {optCurrentMonth, optCurrentYear, optDateRange})
        o->setEnabled(on);
    EnableDatePickers(on && optDateRange->isChecked());
}

void frmTextRptCriteria::optCurrentMonth_Click() {
    EnableDatePickers(false);
}
void frmTextRptCriteria::optCurrentYear_Click() {
    EnableDatePickers(false);
}
void frmTextRptCriteria::optDateRange_Click() {
    EnableDatePickers(optDateRange->isChecked());
}

void frmTextRptCriteria::txtEqualMiles_Change() {
    const bool empty = txtEqualMiles->text().isEmpty();
    txtGtrMiles->setEnabled(empty);
    txtLessMiles->setEnabled(empty);
}

void frmTextRptCriteria::numericChanged(QLineEdit* changed, QLineEdit* other) {
    if (!changed->text().isEmpty())
        txtEqualMiles->setEnabled(false);
    else if (other->text().isEmpty())
        txtEqualMiles->setEnabled(true);
}

void frmTextRptCriteria::txtGtrMiles_Change() {
    numericChanged(txtGtrMiles, txtLessMiles);
}
void frmTextRptCriteria::txtLessMiles_Change() {
    numericChanged(txtLessMiles, txtGtrMiles);
}

void frmTextRptCriteria::btnOK_Click() {
    ReportCriteria::Controls c;
    c.kind = txtID->text();
    c.miles = bMiles;
    c.limitByDate = chkLimitByDate->isChecked();
    c.dateLimit = optDateRange->isChecked()     ? ReportCriteria::DateLimit::DateRange
                  : optCurrentYear->isChecked() ? ReportCriteria::DateLimit::CurrentYear
                                                : ReportCriteria::DateLimit::CurrentMonth;
    c.begin = DTBeginDate->value();
    c.end = DTEndDate->value();
    // A disabled box cannot contribute, whatever it still holds.
    const auto box = [](const QLineEdit* b) { return b->isEnabled() ? b->text() : QString(); };
    c.equal = box(txtEqualMiles);
    c.atLeast = box(txtGtrMiles);
    c.atMost = box(txtLessMiles);
    c.combo = cbBike->isVisibleTo(this) ? cbBike->currentText() : QString();
    for (int i = 0; i < lstCourses->count(); ++i)
        if (lstCourses->item(i)->isSelected())
            c.listItems << lstCourses->item(i)->text();
    try {
        m_fragment = ReportCriteria::build(c);
    } catch (const std::exception& e) {
        // A comparison needs a number: the dialog stays open with what was typed.
        Dialogs::message(this, QStringLiteral("Could not set criteria - ") + describe(e) +
                                   QStringLiteral(" - In frmTextRptCriteria btnOK"));
        return;
    }
    accept();
}

void frmTextRptCriteria::btnCancel_Click() {
    reject();
}
