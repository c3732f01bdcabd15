#include "frmOtherLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Connection.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "WorkoutKinds.h"
#include "frmAddExercise.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

frmOtherLog::frmOtherLog(SharedState& state, QWidget* parent)
    : LogWindow(state,
                Kind{QStringLiteral("frmOtherLog"), QStringLiteral("User-Defined Trainbook"),
                     WorkoutKinds::Other.nameText(), WorkoutKinds::Other.table, false},
                parent) {
    // Setup_Form reads the mode from txtID, so it starts empty here.
    txtID->clear();
    cbExercise = makeCombo(QStringLiteral("cbExercise"));
    txtField1 = makeLineEdit(QStringLiteral("txtField1"));
    txtField2 = makeLineEdit(QStringLiteral("txtField2"));
    txtField3 = makeLineEdit(QStringLiteral("txtField3"));
    lblField1 = makeLabel(QStringLiteral("lblField1"), QStringLiteral("Field 1:"));
    lblField2 = makeLabel(QStringLiteral("lblField2"), QStringLiteral("Field 2:"));
    lblField3 = makeLabel(QStringLiteral("lblField3"), QStringLiteral("twentycharacterfield:"));

    addDateRows(cbExercise);
    addTimeRow();
    addRow(lblField1, txtField1);
    addRow(lblField2, txtField2);
    addRow(lblField3, txtField3);
    addCommentsRow();
    finishLayout({txtDate, txtDay, cbExercise, txtTime, txtField1, txtField2, txtField3, txtComments});

    for (QLineEdit* w : {txtField1, txtField2, txtField3})
        Fields::selectAllOnFocus(w);
    Fields::onLeave(cbExercise, [this] { cbExercise_LostFocus(); });
    // Return after the exercise's name lays out its fields rather than storing it at once.
    returnMovesOn(cbExercise);
    // activated: a choice from the list by the user, not a text typed or written.
    connect(cbExercise, &QComboBox::activated, this, &frmOtherLog::cbExercise_Click);
}

void frmOtherLog::loadLists(Connection& conn) {
    const QStringList names =
        conn.column(CatalogStatements::listExercises(), QStringLiteral("Exercise_Name"), {userName()});
    if (!names.isEmpty()) {
        Fields::appendItems(cbExercise, names);
    } else if (Dialogs::ask(this, QStringLiteral(
                                      "This application will not function as it should unless an exercise ") +
                                      QStringLiteral("is entered. Enter one now?"))) {
        frmAddExercise setup(m_state, this);
        setup.showAddSectionOnly();
        // A new exercise joins the list. When it becomes the chosen exercise the window is
        // laid out for it at once, not only after it is chosen again from the list.
        connect(&setup, &frmAddExercise::itemAdded, cbExercise, [this](const QString& name) {
            Fields::appendPickItem(cbExercise, name);
            if (cbExercise->currentText() == name)
                Setup_Form();
        });
        Dialogs::execModal(&setup);
    }
}

void frmOtherLog::modeSet(bool editing) {
    // Add mode starts without field rows: they appear when an exercise is chosen (or was
    // just defined from the load step's question). Edit mode lays the window out for the
    // stored exercise.
    if (editing || !cbExercise->currentText().isEmpty())
        Setup_Form();
    else
        showFieldRows({false, false, false});
}

void frmOtherLog::Setup_Form() {
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        ResultSet rs =
            conn->query(CatalogStatements::selectCaptions(), {userName(), cbExercise->currentText()});
        if (!rs.eof()) {
            // A field is in use when it has a caption, wherever it stands: captions in
            // Field 1 and Field 3 give two rows, the first and the third. Num_Fields counts
            // them and is not needed to place them.
            std::array<bool, 3> shown{};
            QLabel* labels[] = {lblField1, lblField2, lblField3};
            for (int i = 0; i < 3; ++i) {
                const QString caption = rs.field(QStringLiteral("Field%1").arg(i + 1));
                shown[i] = !caption.trimmed().isEmpty();
                labels[i]->setText(caption + QLatin1Char(':'));
            }
            showFieldRows(shown);
        }
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Problem in retrieving exercise - ") + describe(e) +
                                   QStringLiteral(" - In frmOtherLog Setup_Form"));
    }
    // The buttons follow the mode even when the exercise is not defined, so that a stored
    // workout of an unknown exercise never offers Add Record beside Update Record.
    showModeButtons(!txtID->text().isEmpty());
    fitToContent();
}

void frmOtherLog::showFieldRows(const std::array<bool, 3>& shown) {
    // Hidden boxes keep their texts, so choosing the exercise again brings them back; a
    // hidden box is stored as empty text (columnText).
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {lblField1, txtField1}, {lblField2, txtField2}, {lblField3, txtField3}};
    m_fieldShown = shown;
    for (int i = 0; i < 3; ++i) {
        rows[i].first->setVisible(shown[i]);
        rows[i].second->setVisible(shown[i]);
    }
}

QString frmOtherLog::columnText(const Tables::Column& column) const {
    // The stored row holds what the person saw: a field the exercise does not use is empty.
    const QLineEdit* fields[] = {txtField1, txtField2, txtField3};
    for (int i = 0; i < 3; ++i)
        if (fields[i]->objectName() == QLatin1String(column.field) && !m_fieldShown[i])
            return QString();
    return LogWindow::columnText(column);
}

int frmOtherLog::visibleFieldCount() const {
    int n = 0;
    for (const QLineEdit* field : {txtField1, txtField2, txtField3})
        n += field->isHidden() ? 0 : 1;
    return n;
}

void frmOtherLog::cbExercise_Click() {
    Setup_Form();
}

void frmOtherLog::cbExercise_LostFocus() {
    // Only a warning: the text stays, the focus moves on, and the layout is not changed.
    if (cbExercise->findText(cbExercise->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        Dialogs::message(this, QStringLiteral("This exercise has not been defined."));
}
