#include "DatabaseLocation.h"
#include "DbError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A working folder and a home with no data folder yet, in one temporary tree.
class DatabaseLocationTest : public ::testing::Test {
  protected:
    QTemporaryDir root;
    QString working() const { return root.filePath("work"); }
    QString data() const { return root.filePath("home/.local/share/Trainbook"); }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(working())); }
    void touch(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST_F(DatabaseLocationTest, StartedInAFolderWithItsDiaryKeepsThatDiary) {
    touch(working() + QStringLiteral("/Trainbook.db"));
    EXPECT_EQ(DatabaseLocation::choose({}, working(), data()), working() + QStringLiteral("/Trainbook.db"));
    EXPECT_FALSE(QDir(data()).exists()) << "no data folder is made when it is not used";
}

TEST_F(DatabaseLocationTest, StartedElsewhereUsesTheDataFolderAndCreatesIt) {
    EXPECT_EQ(DatabaseLocation::choose({}, working(), data()), data() + QStringLiteral("/Trainbook.db"));
    EXPECT_TRUE(QDir(data()).exists());
}

TEST_F(DatabaseLocationTest, ABrokenLinkNamedTrainbookDbStillCountsAsTheDiaryHere) {
    ASSERT_TRUE(QFile::link(root.filePath("gone.db"), working() + QStringLiteral("/Trainbook.db")));
    EXPECT_EQ(DatabaseLocation::choose({}, working(), data()), working() + QStringLiteral("/Trainbook.db"));
}

TEST_F(DatabaseLocationTest, TheCommandLineFileComesFirst) {
    touch(working() + QStringLiteral("/Trainbook.db"));
    EXPECT_EQ(DatabaseLocation::choose(root.filePath("other.db"), working(), data()),
              root.filePath("other.db"));
    // A relative name is taken from the working folder; "." and ".." are resolved.
    EXPECT_EQ(DatabaseLocation::choose("./sub/../mine.db", working(), data()),
              working() + QStringLiteral("/mine.db"));
    EXPECT_FALSE(QDir(data()).exists());
}

TEST_F(DatabaseLocationTest, ADataFolderThatCannotBeMadeIsReportedByName) {
    touch(root.filePath("home"));
    try {
        DatabaseLocation::choose({}, working(), data());
        FAIL() << "a file where a folder must go was accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Could not create the folder '%1'").arg(data()));
    }
    EXPECT_THROW(DatabaseLocation::choose({}, working(), QString()), DbError);
}

} // namespace
