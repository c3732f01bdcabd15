// The Import Workouts window: files and folders chosen, the kind for files without a sport,
// the summary shown, and Cancel in the progress window writing nothing.
#include "ExchangeData.h"
#include "GuiFixture.h"
#include "frmImport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

class ImportWindow : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec("INSERT INTO Users (User_Name) VALUES ('Ann')");
    }
    // Two points 0.08 degrees of the equator and 40 minutes apart.
    QString write(const QString& name, const QString& start, const QString& type = QString()) {
        const QString path = QDir(dir()).filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(gpxTrack(start, 2, 0.08, 2400, "", type));
        return path;
    }
    FixedState state{"Ann"};
};

TEST_F(ImportWindow, FolderChosenInTheDialogIsImportedWithTheChosenKindAndSummarised) {
    QDir(dir()).mkdir("watch");
    write("watch/a.gpx", "2026-06-06T12:00:00Z", "running");
    write("watch/b.gpx", "2026-06-07T12:00:00Z");
    write("watch/c.tcx", "2026-06-08T12:00:00Z"); // a GPX document named .tcx
    frmImport w(state);
    w.show();
    drivers["dlgFolder"] = [&](QDialog* d) {
        auto* fd = static_cast<QFileDialog*>(d);
        fd->setDirectory(QDir(dir()).filePath("watch"));
        return int(QDialog::Accepted);
    };
    click(find<QPushButton>(&w, "btnAddFolder"));
    ASSERT_EQ(w.lstFiles->count(), 3);
    w.cbKind->setCurrentText("Cycling");
    shot(&w, "import_window");
    click(find<QPushButton>(&w, "btnImport"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Imported: 2\nUpdated (track added): 0\nSkipped (already in the diary): "
                           "0\nFailed: 1\n  c.tcx: not a TCX file");
    EXPECT_EQ(rows("SELECT Exercise_Type, Comments FROM Exercise_Master ORDER BY Exercise_ID"),
              (QStringList{"Running|a.gpx", "Cycling|b.gpx"}));
    EXPECT_TRUE(w.isVisible()); // stays open to show which file failed

    // The same files again: both skipped, nothing failed, the window closes.
    w.btnClear_Click();
    w.addPaths({QDir(dir()).filePath("watch/a.gpx"), QDir(dir()).filePath("watch/b.gpx")});
    click(w.btnImport);
    EXPECT_EQ(messages.last(),
              "Imported: 0\nUpdated (track added): 0\nSkipped (already in the diary): 2\nFailed: 0");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(ImportWindow, NothingChosenSaysSo) {
    frmImport w(state);
    w.show();
    click(w.btnImport);
    EXPECT_EQ(messages, QStringList{"Add the files or the folder to import first."});
}

TEST_F(ImportWindow, CancelInTheProgressWindowWritesNothing) {
    QStringList paths;
    for (int i = 0; i < frmImport::ProgressFrom + 2; ++i)
        paths << write(QStringLiteral("f%1.gpx").arg(i),
                       QStringLiteral("2026-06-%1T12:00:00Z").arg(i + 1, 2, 10, QChar('0')));
    frmImport w(state);
    w.show();
    w.addPaths(paths);
    // Cancel as soon as the progress window is there.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* p = w.findChild<QProgressDialog*>("dlgProgress"); p && p->isVisible())
            p->cancel();
    });
    timer.start(0);
    w.btnImport_Click();
    timer.stop();
    EXPECT_EQ(messages, QStringList{"Import cancelled, nothing was written."});
    EXPECT_EQ(scalar("SELECT Count(*) FROM Exercise_Master"), "0");
    EXPECT_TRUE(w.isVisible());
}

} // namespace
