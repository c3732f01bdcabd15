#include "LogFixture.h"

#include "frmSwimLog.h"
#include "frmVideoLog.h"


namespace {

class SwimVideoLogTest : public LogFixture {
protected:
    void seedVideos()
    {
        exec("INSERT INTO Videos (Video, Length, Active, User_Name) VALUES ('Core Blast', '30:00', 1, 'Bob')");
        exec("INSERT INTO Videos (Video, Length, Active, User_Name) VALUES ('Kick It', '55:30', 1, 'Bob')");
        exec("INSERT INTO Videos (Video, Length, Active, User_Name) VALUES ('No Length', NULL, 1, 'Bob')");
        exec("INSERT INTO Videos (Video, Length, Active, User_Name) VALUES ('Old Tape', '20:00', 0, 'Bob')");
    }
    QLineEdit* edit(QWidget* w, const char* name) { return find<QLineEdit>(w, name); }
    QComboBox* combo(QWidget* w, const char* name) { return find<QComboBox>(w, name); }
    // Chooses an item of a pick list with the keyboard, as a person would.
    static void chooseNext(QComboBox* box)
    {
        focus(box);
        QTest::keyClick(box, Qt::Key_Down);
        QApplication::processEvents();
    }
};

TEST_F(SwimVideoLogTest, SwimIsAddedWithLapsAndPlace)
{
    {
        frmSwimLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        w.show();
        EXPECT_EQ(w.windowTitle(), "Swimming Log");
        EXPECT_TRUE(questions.isEmpty()) << "the first swim asks nothing";
        EXPECT_EQ(combo(&w, "cbLocation")->count(), 0);
        EXPECT_EQ(edit(&w, "txtExercise")->text(), "Swimming");
        EXPECT_EQ(visibleButtons(&w), QStringList({"btnAdd", "btnExit"}));
        shot(&w, "frmSwimLog");

        // Laps that are not a number store nothing.
        QLineEdit* laps = edit(&w, "txtLaps");
        for (const QString& bad : {QString("40 laps"), QString("1.2.3"), QString("")}) {
            focus(laps);
            QTest::keyClick(laps, Qt::Key_Delete);
            QTest::keyClicks(laps, bad);
            click(find<QAbstractButton>(&w, "btnAdd"));
            EXPECT_EQ(messages.last(), "Problem entering data") << bad.toStdString();
        }
        EXPECT_EQ(count("Exercise_Master"), 0);

        type(laps, "40");
        type(combo(&w, "cbLocation"), "Y's pool");
        type(edit(&w, "txtTime"), "35:2x0");
        EXPECT_EQ(edit(&w, "txtTime")->text(), "35:20");
        click(find<QAbstractButton>(&w, "btnAdd"));
        EXPECT_EQ(messages.last(), "data entered");
    }
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Laps, Location FROM Exercise_Master, Swimming_Log "
                   "WHERE Exercise_ID = Swimming_ID"),
              QStringList({"Swimming|35:20|40|Y's pool"}));

    frmSwimLog w(state);
    w.openForAdd("12/7/2026", "Monday");
    EXPECT_EQ(items(combo(&w, "cbLocation")), QStringList({"Y's pool"}));
    EXPECT_EQ(combo(&w, "cbLocation")->currentText(), "") << "nothing preselected";
}

TEST_F(SwimVideoLogTest, SwimEditModeUpdatesAndDeletes)
{
    const QString id = seed("Swimming", "12/5/2026", "Saturday", "30:00", "Cold", "Bob",
                            "Swimming_Log (Swimming_ID, Laps, Location) VALUES (%1, 36, 'Lake')");
    {
        frmSwimLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(edit(&w, "txtLaps")->text(), "36");
        EXPECT_EQ(combo(&w, "cbLocation")->currentText(), "Lake");
        EXPECT_EQ(edit(&w, "txtDate")->text(), "05-Dec-2026");
        EXPECT_EQ(visibleButtons(&w), QStringList({"btnUpdate", "btnDelete", "btnExit"}));

        type(edit(&w, "txtLaps"), "4O"); // a letter O pasted for a zero
        click(find<QAbstractButton>(&w, "btnUpdate"));
        EXPECT_EQ(messages, QStringList({"Problem updating record"}));

        retype(edit(&w, "txtLaps"), "40");
        type(combo(&w, "cbLocation"), "Bay's end");
        type(edit(&w, "txtDate"), "12/6/2026");
        click(find<QAbstractButton>(&w, "btnUpdate"));
        EXPECT_EQ(messages.last(), "Record Updated");
    }
    EXPECT_EQ(rows("SELECT Exercise_Date, Exercise_Day, Comments, Laps, Location FROM Exercise_Master, Swimming_Log "
                   "WHERE Exercise_ID = Swimming_ID"),
              QStringList({"2026-12-06|Sunday|Cold|40|Bay's end"}));

    frmSwimLog w(state);
    ASSERT_TRUE(w.openForEdit(id, true));
    click(find<QAbstractButton>(&w, "btnDelete"));
    EXPECT_EQ(messages.last(), "Record Deleted");
    EXPECT_EQ(count("Exercise_Master") + count("Swimming_Log"), 0);
}

TEST_F(SwimVideoLogTest, VideoChoiceFillsTheTimeFromTheLength)
{
    seedVideos();
    frmVideoLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    EXPECT_EQ(w.windowTitle(), "Video Log");
    QComboBox* video = combo(&w, "cbVideo");
    QLineEdit* time = edit(&w, "txtTime");
    EXPECT_EQ(items(video), QStringList({"Core Blast", "Kick It", "No Length"}));
    EXPECT_EQ(video->currentText(), "Core Blast");
    EXPECT_EQ(time->text(), "30:00") << "the preselected video's length at once";
    shot(&w, "frmVideoLog");

    chooseNext(video);
    EXPECT_EQ(video->currentText(), "Kick It");
    EXPECT_EQ(time->text(), "55:30");
    chooseNext(video);
    EXPECT_EQ(video->currentText(), "No Length");
    EXPECT_EQ(time->text(), "55:30") << "a video without a length leaves the time";

    retype(video->lineEdit(), "Some DVD");
    retype(time, "25:00");
    video->setEditText("Core Blast"); // written, not chosen
    EXPECT_EQ(time->text(), "25:00");
    retype(video->lineEdit(), "Jane's Step");
    click(find<QAbstractButton>(&w, "btnAdd"));
    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Video FROM Exercise_Master, Video_Log "
                   "WHERE Exercise_ID = Video_ID"),
              QStringList({"Video|25:00|Jane's Step"}));
}

TEST_F(SwimVideoLogTest, VideoEditModeKeepsTheStoredTime)
{
    seedVideos();
    const QString id = seed("Video", "12/5/2026", "Saturday", "28:00", QString(), "Bob",
                            "Video_Log (Video_ID, Video) VALUES (%1, 'Kick It')");
    {
        frmVideoLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(combo(&w, "cbVideo")->currentText(), "Kick It");
        EXPECT_EQ(edit(&w, "txtTime")->text(), "28:00") << "the stored time, not the catalog length";
        type(edit(&w, "txtComments"), "Knee's sore");
        click(find<QAbstractButton>(&w, "btnUpdate"));
        EXPECT_EQ(messages, QStringList({"Record Updated"}));
    }
    EXPECT_EQ(scalar("SELECT Comments FROM Exercise_Master"), "Knee's sore");

    frmVideoLog w(state);
    ASSERT_TRUE(w.openForEdit(id, true));
    click(find<QAbstractButton>(&w, "btnDelete"));
    EXPECT_EQ(messages.last(), "Record Deleted");
    EXPECT_EQ(count("Exercise_Master") + count("Video_Log"), 0);
    EXPECT_EQ(count("Videos"), 4);
}

TEST_F(SwimVideoLogTest, MissingVideoIsOfferedAndArrivesThroughTheHook)
{
    answers = {true};
    drivers["frmAddVideo"] = catalogAdds("Video", "Yoga Now", {{"txtLength", "40:00"}});
    frmVideoLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(questions, QStringList({"This application will not function as it should unless a video "
                                      "is entered and active. Enter one now?"}));
    EXPECT_EQ(opened, QStringList({"frmAddVideo"}));
    EXPECT_EQ(combo(&w, "cbVideo")->currentText(), "Yoga Now");
    EXPECT_EQ(edit(&w, "txtTime")->text(), "40:00") << "the loading ends with the length of the video shown";

    // The hook itself is no choice from the list: the time stays.
    combo(&w, "cbVideo")->setEditText("");
    retype(edit(&w, "txtTime"), "10:00");
    w.catalogItemAdded("frmAddVideo", "Yoga Now");
    EXPECT_EQ(combo(&w, "cbVideo")->currentText(), "Yoga Now");
    EXPECT_EQ(edit(&w, "txtTime")->text(), "10:00");
    w.catalogItemAdded("frmAddShoe", "Pegasus");
    EXPECT_EQ(items(combo(&w, "cbVideo")), QStringList({"Yoga Now", "Yoga Now"})) << "other catalogs are not ours";
}

TEST_F(SwimVideoLogTest, DetailFailureLeavesNoMasterRow)
{
    seedVideos();
    refuseInserts("Video_Log");
    frmVideoLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    click(find<QAbstractButton>(&w, "btnAdd"));
    EXPECT_EQ(messages, QStringList({"Problem entering data"}));
    EXPECT_EQ(count("Exercise_Master"), 0);
    EXPECT_NE(w.result(), QDialog::Accepted);
}

} // namespace
