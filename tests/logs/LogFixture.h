#pragma once

#include "GuiFixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <sqlite3.h>

// Shared pieces of the log window tests: the current user "Bob" (miles unless a test says
// otherwise), seeding, the engine refusing a table, drivers for the catalog dialogs that a
// missing-catalog question opens, and a person's ways of using fields.
class LogFixture : public GuiFixture {
  protected:
    FixedState state{QStringLiteral("Bob"), true};

    int count(const QString& table) {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }

    // Stores a master row of Bob and its detail row ("Table (cols) VALUES (%1, ...)" with %1
    // for the new identifier); returns the identifier.
    QString seed(const QString& type, const QString& time, const QString& comments,
                 const QString& detailWithId) {
        exec(QStringLiteral(
                 "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
                 "User_Name, Comments) VALUES ('%1', '12/5/2026', 'Saturday', '%2', 'Bob', %3)")
                 .arg(type, time, comments.isNull() ? QStringLiteral("NULL") : "'" + comments + "'"));
        const QString id = scalar(QStringLiteral("SELECT MAX(Exercise_ID) FROM Exercise_Master"));
        exec(QStringLiteral("INSERT INTO ") + detailWithId.arg(id));
        return id;
    }

    // Makes the engine refuse every insert into `table`, below the statement layer.
    void refuseInserts(const QString& table) {
        const QByteArray sql =
            QStringLiteral(
                "CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                .arg(table)
                .toUtf8();
        ASSERT_EQ(sqlite3_exec(db()->handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }

    // A driver for a catalog dialog: types the name (and the other fields given) and presses
    // its add button, as a person would.
    std::function<int(QDialog*)> catalogAdds(const QString& noun, const QString& name,
                                             std::map<QString, QString> otherFields = {}) {
        return [=](QDialog* d) {
            type(find<QLineEdit>(d, QStringLiteral("txtAdd") + noun), name);
            for (const auto& [field, text] : otherFields)
                type(find<QLineEdit>(d, field), text);
            click(find<QAbstractButton>(d, QStringLiteral("btnAdd") + noun));
            return d->result();
        };
    }

    static QLineEdit* edit(QWidget* w, const char* name) { return find<QLineEdit>(w, name); }
    static QComboBox* combo(QWidget* w, const char* name) { return find<QComboBox>(w, name); }
    static QAbstractButton* button(QWidget* w, const char* name) { return find<QAbstractButton>(w, name); }

    // Opens the combo's list and clicks the item, as a person chooses from it.
    static void chooseFromList(QComboBox* combo, const QString& text) {
        const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setFocus(Qt::MouseFocusReason); // as after a click on its arrow
        combo->showPopup();
        QApplication::processEvents();
        QAbstractItemView* view = combo->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(index, 0)).center());
        QApplication::processEvents();
    }

    static void press(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
    }
};
