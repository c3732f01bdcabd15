// The checks that read the whole diary, run after the main window is shown: damage reported
// then with the offer of the newest good copy, writes refused from that moment, today's copy
// made, and a quit in the middle of the copy leaving nothing under the copy's name.

#include "GuiFixture.h"

#include "Clock.h"
#include "DbError.h"
#include "MainForm.h"
#include "Startup.h"
#include "StartupCheck.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QThread>
#include <sqlite3.h>

namespace {

class StartupCheckTest : public GuiFixture {
  protected:
    QString path() const { return dir() + QStringLiteral("/Trainbook.db"); }
    QString backups() const { return Startup::backupFolder(path()); }

    // Users and `rows` workouts, each with a comment of `padding` characters.
    void fill(int rows, int padding) {
        exec("INSERT INTO Users (User_Name) VALUES ('Ann')");
        exec("INSERT INTO Users (User_Name) VALUES ('Bob')");
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path()).constData(), &db);
        const QByteArray sql =
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                           "i < %1) INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, "
                           "User_Name, Comments) SELECT 'Running', date('2020-01-01', '+' || "
                           "(i % 2000) || ' days'), 'Ann', printf('%0%2d', i) FROM n")
                .arg(rows)
                .arg(padding)
                .toUtf8();
        EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    // Flips a bit of the page type of Exercise_Master's root page: only the whole-file check
    // notices, opening the file does not.
    void damage() {
        const int root = scalar("SELECT rootpage FROM sqlite_schema WHERE name = 'Exercise_Master'").toInt();
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes[(root - 1) * 4096] = char(bytes[(root - 1) * 4096] ^ 0x08);
        file.seek(0);
        file.write(bytes);
    }

    MainForm* show() {
        window = std::make_unique<MainForm>();
        window->show();
        QApplication::processEvents();
        return window.get();
    }

    void TearDown() override {
        check.reset();
        window.reset();
        Connection::refuseWrites(path(), QString());
        GuiFixture::TearDown();
    }

    std::unique_ptr<MainForm> window;
    std::unique_ptr<StartupCheck> check;
};

struct Answer {
    const char* name;
    bool yes;           // the answer to the offer of the copy
    QStringList users;  // the main window's list once the check has ended
    bool restored;      // what finished() says
    bool writesRefused; // a write after the check fails, saying why
};

class DamageAfterShow : public StartupCheckTest, public ::testing::WithParamInterface<Answer> {};

TEST_P(DamageAfterShow, IsReportedWithTheOfferAndStopsWrites) {
    fill(400, 50);
    Clock::setFixed(QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
    ASSERT_EQ(Startup::check(path()).state, Startup::State::Ready); // yesterday's good copy
    Clock::setFixed(QDateTime(QDate(2026, 12, 2), QTime(8, 0)));
    exec("DELETE FROM Users WHERE User_Name = 'Bob'");
    damage();
    ASSERT_EQ(Startup::open(path()).state, Startup::State::Ready);

    MainForm* form = show();
    EXPECT_EQ(items(form->cbUsers), QStringList{"Ann"}); // filled before any check
    answers = {GetParam().yes};
    check = std::make_unique<StartupCheck>(path(), form);
    QObject::connect(check.get(), &StartupCheck::finished, form, [form](bool restored) {
        if (restored)
            form->reload();
    });
    QSignalSpy finished(check.get(), &StartupCheck::finished);
    auto early = Connection::open(path()); // open before the damage is known
    check->start();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.front().front().toBool(), GetParam().restored);

    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("'%1' is damaged (").arg(path())))
        << questions[0].toStdString();
    EXPECT_TRUE(questions[0].endsWith(
        QStringLiteral(
            "Put the newest good copy, '%1/Trainbook-2026-12-01.db', in its place? The damaged file is "
            "kept beside it.")
            .arg(backups())))
        << questions[0].toStdString();
    EXPECT_EQ(items(form->cbUsers), GetParam().users);
    const auto writeError = [](Connection& connection) {
        try {
            connection.execute("INSERT INTO Video_Types VALUES ('x')");
        } catch (const DbError& e) {
            return e.description();
        }
        return QString();
    };
    const QString refusal = questions[0].section('\n', 0, 0) + QStringLiteral(" The change cannot be saved.");
    EXPECT_EQ(writeError(*Connection::open(path())), GetParam().writesRefused ? refusal : QString());
    if (GetParam().writesRefused) {
        EXPECT_EQ(writeError(*early), refusal);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, DamageAfterShow,
                         ::testing::Values(Answer{"CopyPutInPlace", true, {"Ann", "Bob"}, true, false},
                                           Answer{"Declined", false, {"Ann"}, false, true}),
                         CaseName());

TEST_F(StartupCheckTest, MakesTodaysCopyAfterTheWindowIsShown) {
    fill(400, 50);
    MainForm* form = show();
    check = std::make_unique<StartupCheck>(path(), form);
    QSignalSpy finished(check.get(), &StartupCheck::finished);
    check->start();
    EXPECT_TRUE(check->running());
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(QDir(backups()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Trainbook-%1.db").arg(Clock::today().toString(Qt::ISODate))});
    EXPECT_EQ(messages, QStringList());
    EXPECT_EQ(questions, QStringList());
}

TEST_F(StartupCheckTest, QuitDuringTheCopyLeavesNoFileUnderItsNameAndDoesNotWait) {
    fill(150000, 120); // some 25 MB: the copy takes a while
    MainForm* form = show();
    check = std::make_unique<StartupCheck>(path(), form);
    QSignalSpy finished(check.get(), &StartupCheck::finished);
    check->start();
    // The copy is under way once its temporary file is in the backups folder.
    QElapsedTimer waited;
    waited.start();
    while (QDir(backups()).entryList(QDir::Files | QDir::Hidden).isEmpty() && waited.elapsed() < 20000)
        QThread::msleep(1);
    const QStringList during = QDir(backups()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_FALSE(during.isEmpty());
    ASSERT_TRUE(during.front().startsWith('.')) << during.front().toStdString();
    QElapsedTimer stopping;
    stopping.start();
    check->stop();
    EXPECT_LT(stopping.elapsed(), 1000);
    EXPECT_EQ(QDir(backups()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QApplication::processEvents();
    EXPECT_EQ(finished.size(), 0); // nothing reported after a stop
    EXPECT_EQ(messages, QStringList());
}

} // namespace
