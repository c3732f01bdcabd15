#include "LogFixture.h"

#include "frmSwimLog.h"
#include "frmVideoLog.h"

namespace {

using SwimVideoLogTest = LogFixture;

TEST_F(SwimVideoLogTest, SwimIsAddedAndEdited) {
    {
        frmSwimLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        w.show();
        EXPECT_TRUE(questions.isEmpty()) << "the first swim asks nothing";
        type(edit(&w, "txtLaps"), "40");
        type(combo(&w, "cbLocation"), "Y's pool");
        type(edit(&w, "txtTime"), "35:20");
        click(button(&w, "btnAdd"));
    }
    const QString id = scalar("SELECT Exercise_ID FROM Exercise_Master");
    {
        frmSwimLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(combo(&w, "cbLocation")->currentText(), "Y's pool");
        retype(edit(&w, "txtLaps"), "36");
        retype(combo(&w, "cbLocation"), "Bay's end");
        retype(edit(&w, "txtDate"), "12/7/2026");
        click(button(&w, "btnUpdate"));
    }
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, Laps, Location "
                   "FROM Exercise_Master, Swimming_Log WHERE Exercise_ID = Swimming_ID"),
              QStringList({"Swimming|2026-12-07|Monday|35:20|36|Bay's end"}));
    EXPECT_EQ(messages, QStringList({"data entered", "Record Updated"}));

    // Two swims at one place offer it once.
    seed("Swimming", "30:00", "", "Swimming_Log (Swimming_ID, Laps, Location) VALUES (%1, 20, 'Bay''s end')");
    frmSwimLog w(state);
    w.openForAdd("12/8/2026", "Tuesday");
    EXPECT_EQ(items(combo(&w, "cbLocation")), QStringList({"Bay's end"}));
}

TEST_F(SwimVideoLogTest, OnlyAVideoChosenFromTheListBringsItsLength) {
    exec("INSERT INTO Videos (Video, Length, Active, User_Name) VALUES ('Core Blast', '30:00', 1, 'Bob'), "
         "('Kick It', '55:30', 1, 'Bob'), ('No Length', NULL, 1, 'Bob'), ('Old Tape', '20:00', 0, 'Bob')");
    frmVideoLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    QComboBox* video = combo(&w, "cbVideo");
    QLineEdit* time = edit(&w, "txtTime");
    EXPECT_EQ(items(video), QStringList({"Core Blast", "Kick It", "No Length"}));
    EXPECT_EQ(time->text(), "30:00") << "the preselected video's length at once";

    chooseFromList(video, "Kick It");
    EXPECT_EQ(time->text(), "55:30");
    focus(video);
    press(Qt::Key_Down);
    EXPECT_EQ(video->currentText(), "No Length");
    EXPECT_EQ(time->text(), "55:30") << "a video without a length leaves the time";

    // A typed title is no choice, even when it names a listed video: leaving the box does not
    // bring its length, nor does Return, which stores the workout as it stands.
    retype(time, "25:00");
    retype(video, "Core Blast");
    press(Qt::Key_Tab);
    EXPECT_EQ(time->text(), "25:00");
    QTest::keyClick(video, Qt::Key_Return);
    EXPECT_EQ(messages.last(), "data entered");

    // Edit mode shows the stored time, not the length of the stored video.
    frmVideoLog e(state);
    ASSERT_TRUE(e.openForEdit(scalar("SELECT Exercise_ID FROM Exercise_Master"), true));
    EXPECT_EQ(edit(&e, "txtTime")->text(), "25:00");
    type(edit(&e, "txtComments"), "Knee's sore");
    click(button(&e, "btnUpdate"));
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Comments, Video FROM Exercise_Master, Video_Log "
                   "WHERE Exercise_ID = Video_ID"),
              QStringList({"Video|25:00|Knee's sore|Core Blast"}));
}

} // namespace
