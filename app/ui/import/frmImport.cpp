#include "frmImport.h"

#include "CLibrary.h"
#include "DbError.h"
#include "Dialogs.h"
#include "SharedState.h"
#include "WorkoutImport.h"
#include "WorkoutKinds.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

frmImport::frmImport(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import Workouts"));

    lblUser = new QLabel(QStringLiteral("Workouts are imported for: ") + state.currentUser(), this);
    lblUser->setObjectName(QStringLiteral("lblUser"));

    lstFiles = new QListWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setToolTip(QStringLiteral("The GPX, TCX and FIT files to import"));
    lstFiles->setMinimumWidth(lstFiles->fontMetrics().averageCharWidth() * 60);

    btnAddFiles = new QPushButton(QStringLiteral("Add &Files..."), this);
    btnAddFiles->setObjectName(QStringLiteral("btnAddFiles"));
    btnAddFolder = new QPushButton(QStringLiteral("Add F&older..."), this);
    btnAddFolder->setObjectName(QStringLiteral("btnAddFolder"));
    btnAddFolder->setToolTip(QStringLiteral("Add the GPX, TCX and FIT files of a folder"));
    btnClear = new QPushButton(QStringLiteral("&Clear List"), this);
    btnClear->setObjectName(QStringLiteral("btnClear"));

    cbKind = new QComboBox(this);
    cbKind->setObjectName(QStringLiteral("cbKind"));
    for (const WorkoutKinds::Kind* kind : WorkoutKinds::Tracked)
        cbKind->addItem(kind->nameText());
    cbKind->setToolTip(QStringLiteral("The kind of workout for files that do not name their sport"));

    btnImport = new QPushButton(QStringLiteral("&Import"), this);
    btnImport->setObjectName(QStringLiteral("btnImport"));
    btnImport->setDefault(true);
    btnExit = new QPushButton(QStringLiteral("EXIT"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setAutoDefault(false);
    for (QPushButton* b : {btnAddFiles, btnAddFolder, btnClear})
        b->setAutoDefault(false);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(btnAddFiles);
    listButtons->addWidget(btnAddFolder);
    listButtons->addWidget(btnClear);
    listButtons->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(lstFiles, 1);
    listRow->addLayout(listButtons);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kind when the file names no sport:"), cbKind);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnImport);
    buttons->addWidget(btnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblUser);
    layout->addLayout(listRow, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(btnAddFiles, &QPushButton::clicked, this, &frmImport::btnAddFiles_Click);
    connect(btnAddFolder, &QPushButton::clicked, this, &frmImport::btnAddFolder_Click);
    connect(btnClear, &QPushButton::clicked, this, &frmImport::btnClear_Click);
    connect(btnImport, &QPushButton::clicked, this, &frmImport::btnImport_Click);
    connect(btnExit, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImport::addPaths(const QStringList& paths) {
    const QStringList have = files();
    for (const QString& file : WorkoutImport::expand(paths))
        if (!have.contains(file))
            lstFiles->addItem(file);
}

QStringList frmImport::files() const {
    QStringList list;
    for (int i = 0; i < lstFiles->count(); ++i)
        list << lstFiles->item(i)->text();
    return list;
}

void frmImport::btnAddFiles_Click() {
    QFileDialog dialog(this, QStringLiteral("Choose Workout Files"));
    dialog.setObjectName(QStringLiteral("dlgFiles"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("Workout files (*.gpx *.tcx *.fit *.GPX *.TCX *.FIT)"),
                           QStringLiteral("All files (*)")});
    if (Dialogs::execModal(&dialog) == QDialog::Accepted)
        addPaths(dialog.selectedFiles());
}

void frmImport::btnAddFolder_Click() {
    QFileDialog dialog(this, QStringLiteral("Choose a Folder of Workout Files"));
    dialog.setObjectName(QStringLiteral("dlgFolder"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (Dialogs::execModal(&dialog) == QDialog::Accepted)
        addPaths(dialog.selectedFiles());
}

void frmImport::btnClear_Click() {
    lstFiles->clear();
}

void frmImport::btnImport_Click() {
    const QStringList list = files();
    if (list.isEmpty()) {
        Dialogs::message(this, QStringLiteral("Add the files or the folder to import first."));
        return;
    }
    const QString user = m_state.currentUser();
    if (user.isEmpty()) {
        Dialogs::message(this, QStringLiteral("Select a user in the main window first."));
        return;
    }
    WorkoutImport::Options options;
    options.user = user;
    options.fallbackKind = cbKind->currentText();
    options.miles = m_state.miles();

    std::unique_ptr<QProgressDialog> progress;
    if (list.size() >= ProgressFrom) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Importing workouts..."),
                                                     QStringLiteral("Cancel"), 0, int(list.size()), this);
        progress->setObjectName(QStringLiteral("dlgProgress"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    WorkoutImport::Summary summary;
    try {
        auto conn = CLibrary().GetConnection();
        summary = WorkoutImport::run(*conn, list, options, [&](int done, int total) {
            if (!progress)
                return true;
            progress->setValue(done);
            progress->setLabelText(
                QStringLiteral("Importing file %1 of %2...").arg(qMin(done + 1, total)).arg(total));
            QCoreApplication::processEvents();
            return !progress->wasCanceled();
        });
    } catch (const std::exception& e) {
        summary = WorkoutImport::Summary{};
        summary.error = describe(e);
    }
    if (progress)
        progress->reset();
    Dialogs::message(this, WorkoutImport::summaryLines(summary).join(QLatin1Char('\n')));
    if (summary.error.isEmpty() && !summary.cancelled && summary.failed.empty())
        accept();
}
