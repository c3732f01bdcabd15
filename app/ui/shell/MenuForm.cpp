#include "MenuForm.h"

#include "CLibrary.h"
#include "DateText.h"
#include "Dialogs.h"
#include "LogWindows.h"
#include "SharedState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}
} // namespace

MenuForm::MenuForm(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("MenuForm"));
    setWindowTitle(QStringLiteral("Menu"));

    Label1 = new QLabel(QStringLiteral("Date:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtDate = new QLineEdit(this);
    txtDate->setObjectName(QStringLiteral("txtDate"));
    txtDate->setEnabled(false);
    txtDate->setMinimumWidth(200);
    Label1->setBuddy(txtDate);

    btnRun =
        makeButton(this, "btnRun", QStringLiteral("Run"), QStringLiteral("Select to enter Running data"));
    btnBike =
        makeButton(this, "btnBike", QStringLiteral("Bike"), QStringLiteral("Select to enter Cycling data"));
    btnSwim =
        makeButton(this, "btnSwim", QStringLiteral("Swim"), QStringLiteral("Select to enter Swimming data"));
    btnVideo = makeButton(this, "btnVideo", QStringLiteral("Video"),
                          QStringLiteral("Select to enter exercise video data"));
    btnOther = makeButton(this, "btnOther", QStringLiteral("Other Exercise"), QString());
    btnExit = makeButton(this, "btnExit", QStringLiteral("EXIT"), QString());

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(Label1);
    dateRow->addWidget(txtDate, 1);

    auto* kinds = new QHBoxLayout;
    for (QPushButton* b : {btnRun, btnBike, btnSwim, btnVideo, btnOther})
        kinds->addWidget(b);

    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(btnExit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addLayout(kinds);
    layout->addLayout(exitRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnRun, &QPushButton::clicked, this, &MenuForm::btnRun_Click);
    connect(btnBike, &QPushButton::clicked, this, &MenuForm::btnBike_Click);
    connect(btnSwim, &QPushButton::clicked, this, &MenuForm::btnSwim_Click);
    connect(btnVideo, &QPushButton::clicked, this, &MenuForm::btnVideo_Click);
    connect(btnOther, &QPushButton::clicked, this, &MenuForm::btnOther_Click);
    connect(btnExit, &QPushButton::clicked, this, &MenuForm::btnExit_Click);
}

void MenuForm::openFor(const QDate& date) {
    txtDate->setText(DateText::weekdayName(date) + QStringLiteral(", ") + DateText::shortDate(date));
}

// Splits the chooser's date into weekday and date, opens the log window in add mode for
// it, and closes the chooser once the log window is closed, whatever happened there.
void MenuForm::openLog(const WorkoutKinds::Kind& kind, const char* routine) {
    QString day, date;
    try {
        CLibrary::ParseDate(txtDate->text(), day, date);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not read the date - ") + describe(e) +
                                   QStringLiteral(" - In MenuForm ") + QLatin1String(routine));
        return;
    }

    const std::unique_ptr<LogWindow> log = LogWindows::make(kind, m_state, this);
    log->openForAdd(date, day);
    Dialogs::execModal(log.get());
    accept();
}

void MenuForm::btnRun_Click() {
    openLog(WorkoutKinds::Running, "btnRun_Click");
}
void MenuForm::btnBike_Click() {
    openLog(WorkoutKinds::Cycling, "btnBike_Click");
}
void MenuForm::btnSwim_Click() {
    openLog(WorkoutKinds::Swimming, "btnSwim_Click");
}
void MenuForm::btnVideo_Click() {
    openLog(WorkoutKinds::Video, "btnVideo_Click");
}
void MenuForm::btnOther_Click() {
    openLog(WorkoutKinds::Other, "btnOther_Click");
}
void MenuForm::btnExit_Click() {
    reject();
}
