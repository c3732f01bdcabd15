#include "LogFixture.h"

#include "frmVideoLog.h"

namespace {

using VideoLogTest = LogFixture;

TEST_F(VideoLogTest, OnlyAVideoChosenFromTheListBringsItsLength) {
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
}

} // namespace
