#include "frmVideoLog.h"

#include "CLibrary.h"
#include "FieldHelpers.h"
#include "Dialogs.h"
#include "frmAddVideo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

frmVideoLog::frmVideoLog(SharedState& state, QWidget* parent)
    : LogWindow(state,
                Kind{QStringLiteral("frmVideoLog"), QStringLiteral("Video Log"), QStringLiteral("Video"),
                     QStringLiteral("Video_Log"), QStringLiteral("Video_ID")},
                parent) {
    cbVideo = makeCombo(QStringLiteral("cbVideo"));

    addDateRows();
    addRow(QStringLiteral("lblVideo"), QStringLiteral("Video:"), cbVideo);
    addTimeRow();
    addCommentsRow();
    finishLayout(
        {txtDate, txtDay, txtExercise, cbVideo, txtTime, txtComments, btnAdd, btnExit, btnUpdate, btnDelete});

    // activated: a choice from the list by the user, not a text written by the program.
    connect(cbVideo, &QComboBox::activated, this, &frmVideoLog::cbVideo_Click);
}

void frmVideoLog::loadLists() {
    const QStringList videos =
        readColumn(QStringLiteral("SELECT Video FROM Videos WHERE Active = True ") +
                       QStringLiteral("AND User_Name = ") + CLibrary::Quote(userName()),
                   QStringLiteral("Video"));
    offerCatalog<frmAddVideo>(cbVideo, videos, QStringLiteral("video"));
    showVideoLength(); // the preselected video's length is shown at once
}

void frmVideoLog::cbVideo_Click() {
    try {
        showVideoLength();
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve videos - ") + describe(e) +
                              QStringLiteral(" - In frmVideoLog cbVideo_Click"));
    }
}

void frmVideoLog::showVideoLength() {
    CLibrary lib;
    auto conn = lib.GetConnection();
    ResultSet rs =
        conn->query(QStringLiteral("SELECT Length FROM Videos ") + QStringLiteral("WHERE User_Name = ") +
                    CLibrary::Quote(userName()) + QStringLiteral(" ") + QStringLiteral("AND Video = ") +
                    CLibrary::Quote(cbVideo->currentText()));
    // A typed title, an empty one, or a video without a stored length leave the time.
    if (!rs.eof() && !rs.field(QStringLiteral("Length")).isEmpty())
        txtTime->setText(rs.field(QStringLiteral("Length")));
}

QString frmVideoLog::detailInsertSql(const QString& id) const {
    return QStringLiteral("INSERT INTO Video_Log (Video_ID, Video) ") + QStringLiteral("VALUES (") + id +
           QStringLiteral(", ") + CLibrary::Quote(cbVideo->currentText()) + QStringLiteral(")");
}

QString frmVideoLog::detailSetList() const {
    return QStringLiteral("Video = ") + CLibrary::Quote(cbVideo->currentText());
}

void frmVideoLog::fillDetail(const ResultSet& row, bool) {
    cbVideo->setEditText(row.field(QStringLiteral("Video")));
}
