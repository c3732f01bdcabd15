#pragma once

#include "LogWindow.h"

class QComboBox;

// "Video Log": a workout done with an exercise video, stored as an Exercise_Master row of
// type "Video" and a Video_Log row. Choosing a video from the list fills the time with the
// video's stored length; the first active video is preselected and its length shown at once.
class frmVideoLog : public LogWindow {
    Q_OBJECT
  public:
    explicit frmVideoLog(SharedState& state, QWidget* parent = nullptr);

    // A video chosen from the list: its length, when stored, replaces the time.
    void cbVideo_Click();

  protected:
    void loadLists(Connection& conn) override;
    QString loadFailureContext() const override { return QStringLiteral("Could not retrieve videos"); }

  private:
    // The video choice step: reads the length of the video in cbVideo. Throws DbError.
    void showVideoLength(Connection& conn);

    QComboBox* cbVideo = nullptr;
};
