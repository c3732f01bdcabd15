#pragma once
// Pieces the data tests share: file bytes, scripts run with SQLite alone, errors as text and a
// new database in a temporary folder.
#include "Connection.h"
#include "DbError.h"
#include "FilePath.h"
#include "QueryRows.h"
#include "Tables.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The script of tests/data that makes an empty file of an earlier schema version.
inline QString scriptOfVersion(int version) {
    QFile f(QStringLiteral(TRAINBOOK_TEST_DATA "/schema_v%1.sql").arg(version));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Runs a script on a file with SQLite alone, outside the program's checks.
inline void raw(const QString& path, const QString& script) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(FilePath::toNative(path).constData(), &db), SQLITE_OK);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &err), SQLITE_OK)
        << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

// The first field of a query run on a file with SQLite alone, "<error>" when it gives no row.
inline QString rawValue(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    sqlite3_open(FilePath::toNative(path).constData(), &db);
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const QString v = sqlite3_step(st) == SQLITE_ROW
                          ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                          : QStringLiteral("<error>");
    sqlite3_finalize(st);
    sqlite3_close(db);
    return v;
}

// Flips one bit of the page type of the table's root page: a b-tree that no longer reads.
inline void damage(const QString& path, const char* table) {
    const qint64 root =
        rawValue(path,
                 QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = '%1'").arg(table).toUtf8())
            .toLongLong();
    ASSERT_GT(root, 1);
    QByteArray bytes = fileBytes(path);
    bytes[(root - 1) * 4096] = char(bytes[(root - 1) * 4096] ^ 0x08);
    writeBytes(path, bytes);
}

// The description of the DbError thrown by `f`, or "(no error)".
template <typename F> QString errorOf(F f) {
    try {
        f();
    } catch (const DbError& e) {
        return e.description();
    }
    return QStringLiteral("(no error)");
}

// Why opening `path` fails, or "(opened)".
inline QString openError(const QString& path) {
    const QString why = errorOf([&] { Connection::open(path); });
    return why == QLatin1String("(no error)") ? QStringLiteral("(opened)") : why;
}

// Permissions do not stop root (and CI runs as root): a child process checking them calls
// this first.
inline void dropRoot() {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        std::exit(2);
}

// A new Trainbook.db in a temporary folder, open as `db`.
class NewDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("Trainbook.db"));
        Connection::create(path);
        db = Connection::open(path);
    }
    // The first field of the first row, "<none>" when there is no row.
    QString one(const QString& sql) {
        ResultSet rs = db->query(sql);
        return rs.eof() ? QStringLiteral("<none>") : rs.field(0);
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<Connection> db;
};

// Saves a video workout of 5 December 2026 to the file as the log windows do: its new
// identifier, or "0" when the save fails.
inline QString saveVideoWorkout(const QString& path) {
    try {
        Tables::Row master(Tables::ExerciseMaster);
        master.set(Tables::Holds::Type, QStringLiteral("Video"));
        master.set(Tables::Holds::Date, QDate(2026, 12, 5));
        return QString::number(
            Tables::insertWorkout(*Connection::open(path), master, Tables::Row(Tables::VideoLog)));
    } catch (const DbError&) {
        return QStringLiteral("0");
    }
}
