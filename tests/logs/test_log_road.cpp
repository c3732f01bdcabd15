// The road every workout log window shares, over the five kinds: add, the stored row, edit
// mode showing it, update, delete, and a diary that cannot be read. What each window shows is
// read field by field from the table descriptions, so the stored row is compared with the
// fields of the window that saved it.
#include "LogFixture.h"

#include "DateText.h"
#include "Tables.h"
#include "frmBikeLog.h"
#include "frmOtherLog.h"
#include "frmRunLog.h"
#include "frmSwimLog.h"
#include "frmVideoLog.h"

#include <QFile>

namespace {

struct LogKind {
    const char* name;
    LogWindow* (*make)(SharedState&);
    const Tables::Table* detail;
    const char* addButton;
    const char* typedField; // a field Esc must not throw away unasked
    // The catalog item the window asks for while the user has no active one, the list that
    // offers the item added in its dialog, and a field of that dialog with its text.
    const char* item = nullptr;
    const char* itemList = nullptr;
    const char* itemField = nullptr;
    const char* itemText = nullptr;
};

template <class Log> LogWindow* make(SharedState& s) {
    return new Log(s);
}

const LogKind Kinds[] = {
    {"Run", make<frmRunLog>, &Tables::RunningLog, "btnAdd", "txtComments", "Shoe", "cbShoes", "txtPrice",
     "80"},
    {"Bike", make<frmBikeLog>, &Tables::CyclingLog, "btnAddRecord", "txtMiles", "Bike", "cbBike", "txtPrice",
     "900"},
    {"Swim", make<frmSwimLog>, &Tables::SwimmingLog, "btnAdd", "txtTime"},
    {"Video", make<frmVideoLog>, &Tables::VideoLog, "btnAdd", "txtComments", "Video", "cbVideo", "txtLength",
     "40:00"},
    {"Other", make<frmOtherLog>, &Tables::OtherLog, "btnAdd", "txtTime"},
};

void PrintTo(const LogKind& k, std::ostream* os) {
    *os << k.name;
}

class LogRoad : public LogFixture, public testing::WithParamInterface<LogKind> {
  protected:
    std::vector<const Tables::Column*> columns() const {
        std::vector<const Tables::Column*> out;
        for (const Tables::Table* t : {&Tables::ExerciseMaster, GetParam().detail})
            for (const Tables::Column& c : t->columns)
                if (c.field)
                    out.push_back(&c);
        return out;
    }
    static QString text(QWidget* w, const char* field) {
        if (auto* box = w->findChild<QComboBox*>(field))
            return box->currentText();
        return edit(w, field)->text();
    }
    // Types into every enabled field of the descriptions: numbers from `number` up, texts with
    // a quote (the exercise's defined name stays, or its fields would hide).
    void fill(QWidget* w, int number) {
        for (const Tables::Column* c : columns()) {
            QWidget* field = find<QWidget>(w, c->field);
            if (!field->isEnabled() || c->kind == Tables::Kind::Date || !strcmp(c->field, "cbExercise"))
                continue;
            const QString value = !strcmp(c->field, "txtTime") ? QStringLiteral("45:%1").arg(number)
                                  : c->kind == Tables::Kind::Number
                                      ? QString::number(number++)
                                      : QStringLiteral("Bob's %1 %2").arg(number).arg(c->name);
            retype(field, value);
        }
    }
    // The row as the window shows it, in the stored form, and the stored row.
    QString showing(QWidget* w) {
        QStringList out{GetParam().detail == &Tables::OtherLog ? "Other" : edit(w, "txtExercise")->text()};
        for (const Tables::Column* c : columns()) {
            const QString t = text(w, c->field);
            out << (c->kind == Tables::Kind::Date ? DateText::iso(*DateText::parse(t)) : t);
        }
        return out.join('|');
    }
    QStringList stored() {
        QString sql = QStringLiteral("SELECT Exercise_Type");
        for (const Tables::Column* c : columns())
            sql += QStringLiteral(", ") + QLatin1String(c->name);
        return rows(sql +
                    QStringLiteral(" FROM Exercise_Master, %1 WHERE Exercise_ID = %2 AND User_Name = 'Bob'")
                        .arg(QLatin1String(GetParam().detail->name), QLatin1String(GetParam().detail->key)));
    }
};

// Without an active item (a retired shoe is none) the window asks for one: the item added in
// the catalog dialog is offered and chosen, a video with its length.
TEST_P(LogRoad, AddEditUpdateDelete) {
    const LogKind& k = GetParam();
    exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Retired', 0, 'Bob')");
    exec("INSERT INTO Other_Setup (Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name) VALUES "
         "('Row''s', 3, 'Meters', 'Strokes', 'Watts', 'Bob')");
    const QString item = k.item;
    answers = {true};
    drivers["frmAdd" + item] = catalogAdds(item, "New " + item, {{k.itemField, k.itemText}});
    QString row;
    {
        std::unique_ptr<LogWindow> w(k.make(state));
        w->openForAdd("12/6/2026", "Sunday");
        w->show();
        const QString asked = QStringLiteral("This application will not function as it should unless a %1 "
                                             "is entered and active. Enter one now?")
                                  .arg(item.toLower());
        EXPECT_EQ(questions, k.item ? QStringList{asked} : QStringList());
        if (k.item) {
            EXPECT_EQ(items(combo(w.get(), k.itemList)), QStringList{"New " + item});
            EXPECT_EQ(combo(w.get(), k.itemList)->currentText(), "New " + item);
            EXPECT_EQ(edit(w.get(), "txtTime")->text(), item == "Video" ? k.itemText : "");
            messages.clear(); // the catalog dialog's own
        }
        if (auto* exercise = w->findChild<QComboBox*>("cbExercise"))
            chooseFromList(exercise, "Row's");
        fill(w.get(), 10);
        row = showing(w.get());
        click(button(w.get(), k.addButton));
    }
    EXPECT_EQ(messages, QStringList{"data entered"}) << "no warning";
    ASSERT_EQ(stored(), QStringList{row});
    const QString id = scalar("SELECT Exercise_ID FROM Exercise_Master");
    {
        std::unique_ptr<LogWindow> w(k.make(state));
        ASSERT_TRUE(w->openForEdit(" " + id, true));
        w->show();
        EXPECT_EQ(showing(w.get()), row) << "edit mode shows the stored row";
        retype(edit(w.get(), "txtDate"), "12/8/2026");
        fill(w.get(), 20);
        row = showing(w.get());
        click(button(w.get(), "btnUpdate"));
    }
    EXPECT_EQ(stored(), QStringList{row});
    EXPECT_TRUE(row.contains("|2026-12-08|")) << row.toStdString();
    {
        std::unique_ptr<LogWindow> w(k.make(state));
        ASSERT_TRUE(w->openForEdit(id, true));
        click(button(w.get(), "btnDelete"));
    }
    EXPECT_EQ(messages, QStringList({"data entered", "Record Updated", "Record Deleted"}));
    EXPECT_EQ(count("Exercise_Master") + count(k.detail->name), 0);
}

TEST_P(LogRoad, ReadFailuresAreReported) {
    ASSERT_TRUE(QFile::remove(dir() + "/Trainbook.db"));
    std::unique_ptr<LogWindow> w(GetParam().make(state));
    w->openForAdd("12/6/2026", "Sunday");
    EXPECT_FALSE(w->openForEdit("7", true));
    EXPECT_TRUE(messagesAre({"Could not retrieve * - In " + w->objectName() + " Form_Load",
                             "Could not retrieve data - * - In frmTextRpt lstReport_DblClick"}));
}

TEST_P(LogRoad, EscapeAsksBeforeDiscardingTypedInput) {
    checkEscapeAsksBeforeDiscarding(
        [this]() -> QDialog* {
            LogWindow* w = GetParam().make(state);
            w->openForAdd("12/6/2026", "Sunday");
            return w;
        },
        GetParam().typedField, "12");
}

INSTANTIATE_TEST_SUITE_P(Kinds, LogRoad, testing::ValuesIn(Kinds), CaseName());

} // namespace
