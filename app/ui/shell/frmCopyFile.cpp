#include "frmCopyFile.h"

#include "Backup.h"
#include "BusyCursor.h"
#include "CLibrary.h"
#include "Dialogs.h"
#include "FormLoad.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cerrno>

frmCopyFile::frmCopyFile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCopyFile"));
    setWindowTitle(QStringLiteral("Backup Database"));

    Label1 = new QLabel(
        QStringLiteral("Select the directory to backup to (or leave the default) and then select the "
                       "Backup Database button to backup the database."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    txtSelectedFile = new QLineEdit(this);
    txtSelectedFile->setObjectName(QStringLiteral("txtSelectedFile"));
    txtSelectedFile->setToolTip(QStringLiteral("Indicates where the file will be copied to."));
    txtSelectedFile->setMinimumWidth(txtSelectedFile->fontMetrics().averageCharWidth() * 60);

    btnSelectFile = new QPushButton(QStringLiteral("Select..."), this);
    btnSelectFile->setObjectName(QStringLiteral("btnSelectFile"));
    btnSelectFile->setToolTip(QStringLiteral("Browse for a different directory to backup to."));
    btnSelectFile->setAutoDefault(false);

    btnCopyFile = new QPushButton(QStringLiteral("Backup Database"), this);
    btnCopyFile->setObjectName(QStringLiteral("btnCopyFile"));
    btnCopyFile->setToolTip(QStringLiteral("Backup the database to the selected directory."));
    btnCopyFile->setDefault(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(txtSelectedFile, 1);
    fileRow->addWidget(btnSelectFile);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCopyFile);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(fileRow);
    layout->addLayout(buttons);

    connect(btnSelectFile, &QPushButton::clicked, this, &frmCopyFile::btnSelectFile_Click);
    connect(btnCopyFile, &QPushButton::clicked, this, &frmCopyFile::btnCopyFile_Click);
    m_formLoad = new FormLoad(this, [this] { txtSelectedFile->setText(defaultTarget()); });
}

void frmCopyFile::Form_Load() {
    m_formLoad->run();
}

QString frmCopyFile::defaultTarget() {
    // Without a documents folder (a bare account) the home folder takes its place, so that
    // the proposed backup can be made as it stands.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Trainbook.db"));
}

void frmCopyFile::btnSelectFile_Click() {
    // The file dialog is shown through the modal seam like every other window, so a test can
    // choose a file in it. It does not ask about replacing a file: the backup asks once.
    QFileDialog dialog(this, QStringLiteral("Select Directory To Backup To"));
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("Trainbook databases (*.db)"), QStringLiteral("All files (*)")});
    const QString current =
        txtSelectedFile->text().trimmed().isEmpty() ? defaultTarget() : txtSelectedFile->text();
    const QFileInfo proposed(current);
    if (proposed.absoluteDir().exists())
        dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    if (Dialogs::execModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    txtSelectedFile->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void frmCopyFile::btnCopyFile_Click() {
    // The database the program is using, wherever it was started from.
    const QString source = QFileInfo(CLibrary::defaultAccessFile()).absoluteFilePath();
    const QString target = txtSelectedFile->text();
    if (target.trimmed().isEmpty()) {
        Dialogs::message(this, QStringLiteral("You must select a directory to copy the database to."));
        return;
    }
    // A target that would be refused (the database itself, one of its copies, a link to them,
    // something that is not a regular file) is refused before the question, not after a Yes.
    if (const QString refusal = Backup::targetRefusal(target, source); !refusal.isEmpty()) {
        const int code = QFileInfo(target).isDir() ? EISDIR : EINVAL;
        Dialogs::message(this, QString::number(code) + QStringLiteral(" - ") + refusal +
                                   QStringLiteral(" - ") + source);
        return;
    }
    if (!Dialogs::ask(this, QStringLiteral("Copy ") + source + QStringLiteral(" to ") + target +
                                QStringLiteral("?"))) {
        Dialogs::message(this, QStringLiteral("Operation Cancelled"));
        return;
    }
    try {
        const BusyCursor busy;
        Backup::copyVerified(source, target);
    } catch (const BackupError& e) {
        Dialogs::message(this, QString::number(e.code()) + QStringLiteral(" - ") + e.description() +
                                   QStringLiteral(" - ") + source);
        return;
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("0 - ") + describe(e) + QStringLiteral(" - ") + source);
        return;
    }
    Dialogs::message(this, QStringLiteral("File Successfully Copied!"));
    accept();
}
