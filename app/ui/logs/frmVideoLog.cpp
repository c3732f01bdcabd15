#include "frmVideoLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Connection.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "WorkoutKinds.h"
#include "frmAddVideo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

frmVideoLog::frmVideoLog(SharedState& state, QWidget* parent)
    : LogWindow(state,
                Kind{QStringLiteral("frmVideoLog"), QStringLiteral("Video Log"),
                     WorkoutKinds::Video.nameText(), WorkoutKinds::Video.table},
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

void frmVideoLog::loadLists(Connection& conn) {
    offerCatalog<frmAddVideo>(conn, cbVideo, CatalogStatements::Videos, QStringLiteral("video"));
    showVideoLength(conn); // the preselected video's length is shown at once
}

void frmVideoLog::cbVideo_Click() {
    try {
        showVideoLength(*CLibrary().GetConnection());
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve videos - ") + describe(e) +
                                   QStringLiteral(" - In frmVideoLog cbVideo_Click"));
    }
}

void frmVideoLog::showVideoLength(Connection& conn) {
    ResultSet rs = conn.query(CatalogStatements::selectVideoLength(), {userName(), cbVideo->currentText()});
    // A typed title, an empty one, or a video without a stored length leave the time.
    if (!rs.eof() && !rs.field(QStringLiteral("Length")).isEmpty())
        txtTime->setText(rs.field(QStringLiteral("Length")));
}
