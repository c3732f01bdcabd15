// The system information lines when the database cannot be read (the about window shows the
// lines of a working one).
#include "SystemInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString value(const SystemInfo::Lines& lines, const QString& caption) {
    for (const auto& [c, v] : lines)
        if (c == caption)
            return v;
    return QStringLiteral("<missing>");
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
