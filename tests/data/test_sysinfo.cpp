// The system information lines: versions, and the database in use with its rows per table.
#include "Connection.h"
#include "SystemInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString value(const SystemInfo::Lines& lines, const QString& caption) {
    for (const auto& [c, v] : lines)
        if (c == caption)
            return v;
    return QStringLiteral("<missing>");
}

TEST(SystemInfo, NamesVersionsAndCountsTheRowsOfEveryTable) {
    QTemporaryDir dir;
    const QString db = dir.filePath("Trainbook.db");
    Connection::create(db);
    Connection::open(db)->executeAll(
        {"INSERT INTO Users (User_Name) VALUES ('Ann')", "INSERT INTO Users (User_Name) VALUES ('Bob')"});
    const SystemInfo::Lines lines = SystemInfo::collect("1.2.3", db);
    EXPECT_EQ(value(lines, "Program"), "Trainbook 1.2.3");
    EXPECT_EQ(value(lines, "SQLite"), QString::fromLatin1(sqlite3_libversion()));
    EXPECT_EQ(value(lines, "Database"), db);
    EXPECT_EQ(value(lines, "Database size"), QString::number(QFile(db).size()) + " bytes");
    EXPECT_EQ(value(lines, "Rows in Users"), "2");
    EXPECT_EQ(value(lines, "Rows in Exercise_Master"), "0");
}

TEST(SystemInfo, ADatabaseThatCannotBeReadIsDescribedNotThrown) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone.db");
    EXPECT_EQ(value(SystemInfo::collect("1", missing), "Database size"), "(no such file)");

    const QString notes = dir.filePath("notes.db");
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("my notes") > 0);
    f.close();
    const QString rows = value(SystemInfo::collect("1", notes), "Rows");
    EXPECT_TRUE(rows.startsWith(QLatin1String("(could not be read: '"))) << rows.toStdString();
    EXPECT_TRUE(rows.contains(QLatin1String("is not a Trainbook database"))) << rows.toStdString();
}

} // namespace
