// The Backup Database window: the one confirmation, the messages, and a copy of the database
// that is actually in use.

#include "GuiFixture.h"

#include "frmCopyFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

class BackupWindow : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')"));
        form = std::make_unique<frmCopyFile>();
        form->show();
        QApplication::processEvents();
        source = QDir(dir()).filePath(QStringLiteral("Trainbook.db"));
    }
    void TearDown() override {
        form.reset();
        GuiFixture::TearDown();
    }
    // Replaces the target text with `path` and presses Backup Database.
    void backUpTo(const QString& path) {
        form->txtSelectedFile->selectAll();
        type(form->txtSelectedFile, path);
        if (path.isEmpty())
            QTest::keyClick(form->txtSelectedFile, Qt::Key_Delete);
        click(form->btnCopyFile);
    }
    QString usersIn(const QString& file) {
        try {
            return Connection::open(file)
                ->column(QStringLiteral("SELECT User_Name FROM Users"), QStringLiteral("User_Name"))
                .join(QLatin1Char(','));
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
    }

    std::unique_ptr<frmCopyFile> form;
    QString source;
};

TEST_F(BackupWindow, CopiesTheDatabaseInUseAfterOneConfirmationAndCloses) {
    const QString target = QDir(dir()).filePath(QStringLiteral("backup.db"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("an older backup") > 0);
    old.close();
    answers = {true};
    backUpTo(target);
    EXPECT_EQ(questions,
              QStringList{QStringLiteral("Copy ") + source + QStringLiteral(" to ") + target + "?"});
    EXPECT_EQ(messages, QStringList{QStringLiteral("File Successfully Copied!")});
    EXPECT_EQ(usersIn(target), QStringLiteral("Ann"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

// An empty target is asked for, No cancels, a failure shows its number, description and source;
// each keeps the window open and writes nothing.
TEST_F(BackupWindow, RefusalsAndFailuresKeepTheWindowOpen) {
    const QString target = QDir(dir()).filePath(QStringLiteral("backup.db"));
    backUpTo(QString());
    EXPECT_TRUE(questions.isEmpty());
    answers = {false, true, true};
    backUpTo(target);
    EXPECT_EQ(questions.size(), 1);
    EXPECT_FALSE(QFile::exists(target));
    backUpTo(QDir(dir()).filePath(QStringLiteral("no/such/backup.db")));
    // Onto the database itself: refused before any question, and the database keeps its rows.
    backUpTo(QStringLiteral("./Trainbook.db"));
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(usersIn(source), QStringLiteral("Ann"));
    EXPECT_EQ(
        messages,
        QStringList({QStringLiteral("You must select a directory to copy the database to."),
                     QStringLiteral("Operation Cancelled"),
                     QStringLiteral("2 - The folder '%1/no/such' does not exist. - %2").arg(dir(), source),
                     QStringLiteral("22 - '%1' is the database itself; choose another file to write "
                                    "to. - %1")
                         .arg(source)}));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(BackupWindow, SelectPutsTheChosenFileIntoTheTargetAndCancelKeepsIt) {
    const QString chosen = QDir(dir()).filePath(QStringLiteral("chosen.db"));
    QString title;
    drivers["CommonDialog1"] = [&](QDialog* d) {
        title = d->windowTitle();
        auto* name = find<QLineEdit>(d, "fileNameEdit");
        name->selectAll();
        type(name, chosen);
        QTest::keyClick(name, Qt::Key_Return);
        return d->result();
    };
    click(form->btnSelectFile);
    EXPECT_EQ(title, QStringLiteral("Select Directory To Backup To"));
    EXPECT_EQ(form->txtSelectedFile->text(), chosen);

    drivers["CommonDialog1"] = [](QDialog*) { return int(QDialog::Rejected); };
    click(form->btnSelectFile);
    EXPECT_EQ(form->txtSelectedFile->text(), chosen);
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
