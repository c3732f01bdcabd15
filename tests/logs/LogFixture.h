#pragma once

#include "GuiFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <ostream>
#include <sqlite3.h>

// Readable QString values in failure output (internal to each test file).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Shared pieces of the log window tests: the current user "Bob" (miles unless a test says
// otherwise), seeding of stored workouts, and drivers for the catalog dialogs that the
// missing-catalog question opens.
class LogFixture : public GuiFixture {
protected:
    FixedState state{QStringLiteral("Bob"), true};

    int count(const QString& table) { return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(); }

    // Stores a master row and its detail row (detail given as "Table (cols) VALUES (%1, ...)"
    // with %1 for the new identifier); returns the identifier.
    QString seed(const QString& type, const QString& date, const QString& day, const QString& time,
                 const QString& comments, const QString& user, const QString& detailWithId)
    {
        exec(QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
                            "User_Name, Comments) VALUES ('%1', '%2', '%3', '%4', '%5', %6)")
                 .arg(type, date, day, time, user, comments.isNull() ? QStringLiteral("NULL") : "'" + comments + "'"));
        const QString id = scalar(QStringLiteral("SELECT MAX(Exercise_ID) FROM Exercise_Master"));
        exec(QStringLiteral("INSERT INTO ") + detailWithId.arg(id));
        return id;
    }

    // Makes the engine refuse every insert into `table`, below the statement layer.
    void refuseInserts(const QString& table)
    {
        auto c = db();
        const QByteArray sql = QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1 "
                                              "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                   .arg(table)
                                   .toUtf8();
        char* err = nullptr;
        ASSERT_EQ(sqlite3_exec(c->handle(), sql.constData(), nullptr, nullptr, &err), SQLITE_OK) << err;
    }

    // A driver for a catalog dialog: types the name (and the given other fields) and
    // presses its add button, as a person would.
    std::function<int(QDialog*)> catalogAdds(const QString& noun, const QString& name,
                                              std::map<QString, QString> otherFields = {})
    {
        return [=](QDialog* d) {
            type(find<QLineEdit>(d, QStringLiteral("txtAdd") + noun), name);
            for (const auto& [field, text] : otherFields)
                type(find<QLineEdit>(d, field), text);
            click(find<QAbstractButton>(d, QStringLiteral("btnAdd") + noun));
            return d->result();
        };
    }

    static QStringList items(QComboBox* combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    // Visible buttons of the row, left to right.
    static QStringList visibleButtons(QWidget* window)
    {
        QStringList out;
        for (const char* name : {"btnUpdate", "btnAdd", "btnAddRecord", "btnDelete", "btnExit"})
            if (auto* b = window->findChild<QAbstractButton*>(QLatin1String(name)); b && b->isVisibleTo(window))
                out << QLatin1String(name);
        return out;
    }

    // Selects the whole text of a field and types over it.
    static void retype(QLineEdit* edit, const QString& text)
    {
        focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QApplication::processEvents();
    }

    // Puts the caret at `pos` of a line edit and types there, as a paste into the middle would.
    static void typeAt(QLineEdit* edit, int pos, const QString& text)
    {
        focus(edit);
        edit->setCursorPosition(pos);
        QTest::keyClicks(edit, text);
        QApplication::processEvents();
    }
};
