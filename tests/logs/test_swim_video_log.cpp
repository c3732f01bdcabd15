#include "LogFixture.h"

#include "frmSwimLog.h"
#include "frmVideoLog.h"

namespace {

using SwimVideoLogTest = LogFixture;

TEST_F(SwimVideoLogTest, SwimIsAddedEditedAndDeleted) {
    {
        frmSwimLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        w.show();
        EXPECT_TRUE(questions.isEmpty()) << "the first swim asks nothing";
        shot(&w, "frmSwimLog");
        type(edit(&w, "txtLaps"), "40");
        type(combo(&w, "cbLocation"), "Y's pool");
        type(edit(&w, "txtTime"), "35:20");
        click(button(&w, "btnAdd"));
        EXPECT_EQ(messages, QStringList({"data entered"}));
    }
    const QString id = scalar("SELECT Exercise_ID FROM Exercise_Master");
    {
        frmSwimLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(items(combo(&w, "cbLocation")), QStringList({"Y's pool"}));
        EXPECT_EQ(combo(&w, "cbLocation")->currentText(), "Y's pool");
        EXPECT_EQ(edit(&w, "txtLaps")->text(), "40");
        EXPECT_EQ(tabChain(edit(&w, "txtDate")),
                  QStringList({"txtDate", "txtLaps", "cbLocation", "txtTime", "txtComments", "btnExit",
                               "btnUpdate", "btnDelete"}));
        shot(&w, "frmSwimLog_edit");
        retype(edit(&w, "txtLaps"), "36");
        retype(combo(&w, "cbLocation"), "Bay's end");
        retype(edit(&w, "txtDate"), "12/7/2026");
        click(button(&w, "btnUpdate"));
        EXPECT_EQ(messages.last(), "Record Updated");
    }
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, Laps, Location "
                   "FROM Exercise_Master, Swimming_Log WHERE Exercise_ID = Swimming_ID"),
              QStringList({"Swimming|2026-12-07|Monday|35:20|36|Bay's end"}));

    frmSwimLog w(state);
    ASSERT_TRUE(w.openForEdit(id, true));
    click(button(&w, "btnDelete"));
    EXPECT_EQ(messages.last(), "Record Deleted");
    EXPECT_EQ(count("Exercise_Master") + count("Swimming_Log"), 0);
}

TEST_F(SwimVideoLogTest, OnlyAVideoChosenFromTheListBringsItsLength) {
    for (const char* video : {"'Core Blast', '30:00', 1", "'Kick It', '55:30', 1", "'No Length', NULL, 1",
                              "'Old Tape', '20:00', 0"})
        exec(QStringLiteral("INSERT INTO Videos (Video, Length, Active, User_Name) VALUES (%1, 'Bob')")
                 .arg(video));
    frmVideoLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    QComboBox* video = combo(&w, "cbVideo");
    QLineEdit* time = edit(&w, "txtTime");
    EXPECT_EQ(items(video), QStringList({"Core Blast", "Kick It", "No Length"}));
    EXPECT_EQ(time->text(), "30:00") << "the preselected video's length at once";
    shot(&w, "frmVideoLog");

    chooseFromList(video, "Kick It");
    EXPECT_EQ(time->text(), "55:30");
    focus(video);
    press(Qt::Key_Down);
    EXPECT_EQ(video->currentText(), "No Length");
    EXPECT_EQ(time->text(), "55:30") << "a video without a length leaves the time";

    // A typed title is no choice, even when it names a listed video: neither Return nor
    // leaving the box brings its length.
    retype(time, "25:00");
    retype(video, "Core Blast");
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    EXPECT_EQ(time->text(), "25:00");
    click(button(&w, "btnAdd"));
    EXPECT_EQ(messages, QStringList({"data entered"}));

    // Edit mode shows the stored time, not the length of the stored video.
    frmVideoLog e(state);
    ASSERT_TRUE(e.openForEdit(scalar("SELECT Exercise_ID FROM Exercise_Master"), true));
    EXPECT_EQ(edit(&e, "txtTime")->text(), "25:00");
    EXPECT_EQ(tabChain(edit(&e, "txtDate")), QStringList({"txtDate", "cbVideo", "txtTime", "txtComments",
                                                          "btnExit", "btnUpdate", "btnDelete"}));
    shot(&e, "frmVideoLog_edit");
    type(edit(&e, "txtComments"), "Knee's sore");
    click(button(&e, "btnUpdate"));
    EXPECT_EQ(messages.last(), "Record Updated");
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Comments, Video FROM Exercise_Master, Video_Log "
                   "WHERE Exercise_ID = Video_ID"),
              QStringList({"Video|25:00|Knee's sore|Core Blast"}));
}

TEST_F(SwimVideoLogTest, MissingVideoIsOfferedAndArrivesThroughTheHook) {
    answers = {true};
    drivers["frmAddVideo"] = catalogAdds("Video", "Yoga Now", {{"txtLength", "40:00"}});
    frmVideoLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(questions, QStringList({"This application will not function as it should unless a video "
                                      "is entered and active. Enter one now?"}));
    EXPECT_EQ(combo(&w, "cbVideo")->currentText(), "Yoga Now");
    EXPECT_EQ(edit(&w, "txtTime")->text(), "40:00") << "the loading ends with the length of the video shown";

    // The hook itself is no choice from the list: a typed title and the time stay.
    retype(combo(&w, "cbVideo"), "Pilates");
    retype(edit(&w, "txtTime"), "10:00");
    w.catalogItemAdded("frmAddVideo", "Step Up");
    EXPECT_EQ(items(combo(&w, "cbVideo")), QStringList({"Yoga Now", "Step Up"}));
    EXPECT_EQ(combo(&w, "cbVideo")->currentText(), "Pilates");
    EXPECT_EQ(edit(&w, "txtTime")->text(), "10:00");
}

} // namespace
