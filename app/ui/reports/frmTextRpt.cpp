#include "frmTextRpt.h"

#include "BusyCursor.h"
#include "Clock.h"
#include "ReportExport.h"

#include "CLibrary.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "LogWindows.h"
#include "ReportCriteria.h"
#include "ReportDrillDown.h"
#include "ReportListModel.h"
#include "SharedState.h"
#include "frmRaceLog.h"
#include "frmTextRptCriteria.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <class T> T* named(T* w, const char* name, const char* tip = nullptr) {
    w->setObjectName(QString::fromLatin1(name));
    if (tip)
        w->setToolTip(QString::fromLatin1(tip));
    return w;
}

// Unchecks every option of an exclusive group (Qt keeps one checked otherwise).
void uncheck(QRadioButton* option) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace

frmTextRpt::frmTextRpt(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmTextRpt"));
    setWindowTitle(QStringLiteral("Running Report"));

    RptLabel = named(new QLabel(QStringLiteral("Running Report"), this), "RptLabel");
    QFont title = RptLabel->font();
    title.setPointSizeF(title.pointSizeF() * 1.8);
    title.setBold(true);
    RptLabel->setFont(title);
    Label1 = named(new QLabel(QStringLiteral("Criteria:"), this), "Label1");
    txtCriteria = named(new QLineEdit(this), "txtCriteria");
    txtCriteria->setEnabled(false);
    // A long fragment does not fit the field: it shows from its start, and its whole text is
    // the tooltip, wrapped.
    connect(txtCriteria, &QLineEdit::textChanged, this, [this](const QString& text) {
        txtCriteria->setCursorPosition(0);
        txtCriteria->setToolTip(text.isEmpty()
                                    ? QString()
                                    : QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>"));
    });

    Frame1 = named(new QGroupBox(QStringLiteral("Report Format"), this), "Frame1");
    optFullRpt = named(new QRadioButton(QStringLiteral("Full Report"), Frame1), "optFullRpt",
                       "Report all exercise data");
    optSummaryRpt = named(new QRadioButton(QStringLiteral("Summary Report"), Frame1), "optSummaryRpt",
                          "Report data by month");
    optWeeklyRpt = named(new QRadioButton(QStringLiteral("Weekly Report"), Frame1), "optWeeklyRpt");
    optFullRpt->setChecked(true);
    auto* formats = new QVBoxLayout(Frame1);
    formats->addWidget(optFullRpt, 0, Qt::AlignLeft);
    formats->addWidget(optSummaryRpt, 0, Qt::AlignLeft);
    formats->addWidget(optWeeklyRpt, 0, Qt::AlignLeft);

    chkIncludeComments = named(new QCheckBox(QStringLiteral("Include Comments"), this), "chkIncludeComments",
                               "Include comments in full report");
    chkAlwaysClear = named(new QCheckBox(QStringLiteral("Always Clear Report"), this), "chkAlwaysClear",
                           "Always clear the report before new report");

    btnCreateReport =
        named(new QPushButton(QStringLiteral("Create Report"), this), "btnCreateReport", "Create the report");
    btnSetCriteria = named(new QPushButton(QStringLiteral("Set Criteria"), this), "btnSetCriteria",
                           "Select this to set criteria for a report.");
    btnClearCriteria = named(new QPushButton(QStringLiteral("Clear Criteria"), this), "btnClearCriteria",
                             "Clear the current criteria");
    btnDfltCriteria = named(new QPushButton(QStringLiteral("Make Criteria Default"), this), "btnDfltCriteria",
                            "Select this to make the current criteria the default.");
    btnClearRpt = named(new QPushButton(QStringLiteral("Clear Report"), this), "btnClearRpt",
                        "Clear the report screen");
    btnExit = named(new QPushButton(QStringLiteral("EXIT"), this), "btnExit");
    btnExportCsv = named(new QPushButton(QStringLiteral("Export CSV..."), this), "btnExportCsv",
                         "Save the report for a spreadsheet");
    btnExportPdf = named(new QPushButton(QStringLiteral("Export PDF..."), this), "btnExportPdf",
                         "Save the report as pages to print");

    lstReport = named(new QListView(this), "lstReport");
    m_model = new ReportListModel(this);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    lstReport->setFont(fixed);
    m_model->setFont(fixed);
    lstReport->setModel(m_model);
    lstReport->setUniformItemSizes(true);
    lstReport->setWordWrap(false);
    lstReport->setTextElideMode(Qt::ElideNone);
    lstReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstReport->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    txtRptType = named(new QLineEdit(this), "txtRptType");
    txtGetCriteria = named(new QLineEdit(QStringLiteral("True"), this), "txtGetCriteria");
    txtBeginDate = named(new QLineEdit(this), "txtBeginDate");
    txtEndDate = named(new QLineEdit(this), "txtEndDate");
    for (QLineEdit* hidden : {txtRptType, txtGetCriteria, txtBeginDate, txtEndDate})
        hidden->hide();

    // Title and criteria above; format, options and buttons in a row; the report below.
    auto* criteria = new QHBoxLayout;
    criteria->addWidget(Label1);
    criteria->addWidget(txtCriteria, 1);
    auto* checks = new QVBoxLayout;
    checks->addWidget(chkIncludeComments, 0, Qt::AlignLeft);
    checks->addWidget(chkAlwaysClear, 0, Qt::AlignLeft);
    checks->addStretch();
    auto* buttons = new QGridLayout;
    buttons->addWidget(btnCreateReport, 0, 0);
    buttons->addWidget(btnSetCriteria, 0, 1);
    buttons->addWidget(btnClearCriteria, 0, 2);
    buttons->addWidget(btnClearRpt, 1, 0);
    buttons->addWidget(btnDfltCriteria, 1, 1);
    buttons->addWidget(btnExit, 1, 2);
    buttons->addWidget(btnExportCsv, 2, 0);
    buttons->addWidget(btnExportPdf, 2, 1);
    auto* controls = new QHBoxLayout;
    controls->addWidget(Frame1);
    controls->addLayout(checks);
    controls->addStretch();
    controls->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RptLabel, 0, Qt::AlignHCenter);
    layout->addLayout(criteria);
    layout->addLayout(controls);
    layout->addWidget(lstReport, 1);

    setTabOrder(optFullRpt, optSummaryRpt);
    setTabOrder(optSummaryRpt, optWeeklyRpt);
    setTabOrder(optWeeklyRpt, chkIncludeComments);
    setTabOrder(chkIncludeComments, chkAlwaysClear);
    setTabOrder(chkAlwaysClear, btnCreateReport);
    setTabOrder(btnCreateReport, btnSetCriteria);
    setTabOrder(btnSetCriteria, btnClearCriteria);
    setTabOrder(btnClearCriteria, btnClearRpt);
    setTabOrder(btnClearRpt, btnDfltCriteria);
    setTabOrder(btnDfltCriteria, btnExit);
    setTabOrder(btnExit, btnExportCsv);
    setTabOrder(btnExportCsv, btnExportPdf);
    setTabOrder(btnExportPdf, lstReport);

    connect(optFullRpt, &QRadioButton::clicked, this, [this] { optFullRpt_Click(); });
    connect(optSummaryRpt, &QRadioButton::clicked, this, [this] { optSummaryRpt_Click(); });
    connect(optWeeklyRpt, &QRadioButton::clicked, this, [this] { optWeeklyRpt_Click(); });
    connect(btnCreateReport, &QPushButton::clicked, this, [this] { btnCreateReport_Click(); });
    connect(btnSetCriteria, &QPushButton::clicked, this, [this] { btnSetCriteria_Click(); });
    connect(btnClearCriteria, &QPushButton::clicked, this, [this] { btnClearCriteria_Click(); });
    connect(btnDfltCriteria, &QPushButton::clicked, this, [this] { btnDfltCriteria_Click(); });
    connect(btnClearRpt, &QPushButton::clicked, this, [this] { btnClearRpt_Click(); });
    connect(btnExit, &QPushButton::clicked, this, [this] { btnExit_Click(); });
    connect(btnExportCsv, &QPushButton::clicked, this, [this] { btnExportCsv_Click(); });
    connect(btnExportPdf, &QPushButton::clicked, this, [this] { btnExportPdf_Click(); });
    connect(lstReport, &QListView::doubleClicked, this, [this] { lstReport_DblClick(); });

    resize(Fields::twips(12000), Fields::twips(8000));
    // Wide enough for the widest report line: a full report's record line with a course of
    // its whole 50 characters, followed by the record number.
    Fields::widenForColumns(this, lstReport, 112);
    m_formLoad = new FormLoad(this, [this] { chkIncludeComments->setEnabled(optFullRpt->isChecked()); });
}

void frmTextRpt::Form_Load() {
    m_formLoad->run();
}

void frmTextRpt::openReport(const QString& kind) {
    Form_Load();
    txtRptType->setText(kind);
    txtGetCriteria->setText(QStringLiteral("True"));
    const bool race = ReportCriteria::isRaceKind(kind);
    Frame1->setEnabled(!race);
    optFullRpt->setEnabled(!race);
    optSummaryRpt->setEnabled(!race);
    if (race) {
        for (QRadioButton* o : {optFullRpt, optSummaryRpt, optWeeklyRpt})
            uncheck(o);
        chkIncludeComments->setEnabled(false);
    }
}

void frmTextRpt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmTextRpt::Form_Activate() {
    Form_Load();
    bMiles = m_state.miles();
    const QString kind = txtRptType->text();
    if (txtGetCriteria->text() == QLatin1String("True")) {
        try {
            CLibrary lib;
            auto conn = lib.GetConnection();
            const QString stored = ReportCriteria::loadDefault(*conn, kind, m_state.currentUser());
            if (!stored.isEmpty())
                txtCriteria->setText(stored);
        } catch (const std::exception& e) {
            Dialogs::message(this, QStringLiteral("Could not retrieve criteria - ") + describe(e) +
                                       QStringLiteral(" - In frmTextRpt Form_Activate"));
        }
    }
    // Only running has a weekly report.
    optWeeklyRpt->setVisible(!TextReport::procedureName(kind, TextReport::Format::Weekly).isEmpty());
    const QString caption = TextReport::caption(kind);
    if (caption.isEmpty()) {
        Dialogs::message(this, QStringLiteral("Program Error"));
        // Closing from inside show would leave a modal loop running; close once it runs.
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    setWindowTitle(caption);
    RptLabel->setText(caption);
}

void frmTextRpt::optFullRpt_Click() {
    chkIncludeComments->setEnabled(true);
}
void frmTextRpt::optSummaryRpt_Click() {
    chkIncludeComments->setEnabled(false);
}
void frmTextRpt::optWeeklyRpt_Click() {
    chkIncludeComments->setEnabled(false);
}

TextReport::Format frmTextRpt::selectedFormat() const {
    if (optFullRpt->isChecked())
        return TextReport::Format::Full;
    if (optWeeklyRpt->isChecked())
        return TextReport::Format::Weekly;
    if (optSummaryRpt->isChecked())
        return TextReport::Format::Summary;
    return TextReport::Format::None;
}

const ReportLines& frmTextRpt::reportLines() const {
    return m_model->lines();
}

void frmTextRpt::btnCreateReport_Click() {
    createReport(selectedFormat());
}

void frmTextRpt::createReport(TextReport::Format format) {
    const QString kind = txtRptType->text();
    const QString procedure = TextReport::procedureName(kind, format);
    if (procedure.isEmpty()) {
        Dialogs::message(this, QStringLiteral("Program Error"));
        return;
    }
    if (chkAlwaysClear->isChecked())
        m_model->clear();
    TextReport::Result result;
    try {
        const BusyCursor busy;
        CLibrary lib;
        auto conn = lib.GetConnection();
        TextReport::Request request;
        request.user = m_state.currentUser();
        request.kind = kind;
        request.format = format;
        request.miles = bMiles;
        request.comments = chkIncludeComments->isChecked() && format == TextReport::Format::Full;
        request.criteria = txtCriteria->text();
        m_appliedCriteria = request.criteria;
        result = TextReport::create(*conn, request);
    } catch (const std::exception& e) {
        result.error = TextReport::failureMessage(procedure, describe(e));
    }
    // The new report starts at the top of the view, below any report kept from before.
    const int first = m_model->rowCount();
    m_model->append(std::move(result.lines));
    if (m_model->rowCount() > first) {
        lstReport->scrollTo(m_model->index(first), QAbstractItemView::PositionAtTop);
        lstReport->horizontalScrollBar()->setValue(0);
    }
    if (!result.error.isEmpty())
        Dialogs::message(this, result.error);
}

void frmTextRpt::btnSetCriteria_Click() {
    frmTextRptCriteria dialog(m_state, this);
    if (!dialog.setKind(txtRptType->text())) {
        Dialogs::message(this, QStringLiteral("Program Error"));
        return;
    }
    const int result = Dialogs::execModal(&dialog);
    if (result == QDialog::Accepted)
        txtCriteria->setText(dialog.fragment());
    txtGetCriteria->setText(QStringLiteral("False"));
    Form_Activate();
}

void frmTextRpt::btnClearCriteria_Click() {
    txtCriteria->clear();
}

void frmTextRpt::btnDfltCriteria_Click() {
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        const bool saved = ReportCriteria::saveDefault(*conn, txtRptType->text(), m_state.currentUser(),
                                                       txtCriteria->text());
        Dialogs::message(this, saved ? QStringLiteral("Criteria is default")
                                     : QStringLiteral("Problem making criteria the default"));
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not set criteria - ") + describe(e) +
                                   QStringLiteral(" - In frmTextRpt btnDfltCriteria"));
    }
}

void frmTextRpt::btnClearRpt_Click() {
    m_model->clear();
}

void frmTextRpt::btnExit_Click() {
    reject();
}

void frmTextRpt::lstReport_DblClick() {
    const QModelIndex current = lstReport->currentIndex();
    const ReportLines& lines = m_model->lines();
    qsizetype row = current.isValid() ? current.row() : -1;
    const qint64 record = row >= 0 ? lines.record(row) : 0;
    // A comment line leads to its record line, which names the workout's kind.
    while (record > 0 && row > 0 && lines.record(row - 1) == record)
        --row;
    const QString line = row >= 0 ? lines.at(row) : QString();
    const auto target = ReportDrillDown::target(line, record, txtRptType->text(), selectedFormat());
    using Action = ReportDrillDown::Target::Action;
    switch (target.action) {
    case Action::None:
        Dialogs::message(this, ReportDrillDown::noRecordMessage());
        return;
    case Action::Workout:
        openWorkout(target.kind, target.id);
        return;
    case Action::Race:
        openRace(target.kind, target.id);
        return;
    case Action::Criteria:
        txtCriteria->setText(target.criteria);
        m_model->clear();
        optFullRpt->setChecked(true);
        optFullRpt_Click();
        createReport(TextReport::Format::Full);
        return;
    }
}

void frmTextRpt::openWorkout(const QString& kind, const QString& id) {
    const WorkoutKinds::Kind* k = WorkoutKinds::findWorkout(kind);
    std::unique_ptr<LogWindow> window = LogWindows::make(k ? *k : WorkoutKinds::Other, m_state, this);
    if (window->openForEdit(id, bMiles))
        Dialogs::execModal(window.get());
    window.reset();
    Form_Activate();
}

void frmTextRpt::openRace(const QString& kind, const QString& id) {
    frmRaceLog window(m_state, this);
    if (window.openForEdit(id, kind, bMiles))
        Dialogs::execModal(&window);
    Form_Activate();
}

// --- Export ---------------------------------------------------------------------------------

void frmTextRpt::btnExportCsv_Click() {
    ReportExport::toCsv(this, reportLines(), windowTitle());
}

void frmTextRpt::btnExportPdf_Click() {
    ReportExport::toPdf(
        this, reportLines(),
        {windowTitle(), m_state.currentUser(), txtRptType->text(), Clock::today(), m_appliedCriteria},
        nullptr);
}
