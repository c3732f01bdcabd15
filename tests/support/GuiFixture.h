#pragma once

#include "Connection.h"
#include "SharedState.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// Base of every GUI test: a fresh Trainbook.db in a temporary working directory, every
// message recorded, every question answered from a script, and every modal window that a
// window opens handed to a scripted driver instead of blocking.
class GuiFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // --- Messages and questions ---------------------------------------------------------
    QStringList messages; // every OK message, in order
    // Whether the messages shown are `expected`, in order; a "*" stands for some text (the
    // engine's description of a failure).
    testing::AssertionResult messagesAre(const QStringList& expected) const;
    QStringList questions; // every Yes/No question, in order
    // Answers for the next questions, in order; when empty a question is answered No.
    std::deque<bool> answers;

    // --- Modal windows ------------------------------------------------------------------
    // Windows opened through Dialogs::execModal, by objectName, in order.
    QStringList opened;
    // Driver for a window opened by another window, by the window's objectName. It runs
    // while the opener waits, with the window shown; its return value is the exec() result.
    // Without a driver the window is closed at once (rejected).
    std::map<QString, std::function<int(QDialog*)>> drivers;

    // --- Database ---------------------------------------------------------------------------
    std::unique_ptr<Connection> db();
    // Runs a write statement (dialect SQL); fails the test on error.
    void exec(const QString& sql);
    // First column of the first row as text ("" when there is no row).
    QString scalar(const QString& sql);
    // Every row, columns joined by "|".
    QStringList rows(const QString& sql);

    // --- Widgets ------------------------------------------------------------------------------
    template <class T> static T* find(QWidget* window, const QString& name) {
        T* w = window->findChild<T*>(name);
        if (!w)
            ADD_FAILURE() << "no control named " << name.toStdString();
        return w;
    }
    // Gives the focus to `w` the way a click or Tab does, so focus handlers run.
    static void focus(QWidget* w);
    // Types text with real key events into the focused control `w`.
    static void type(QWidget* w, const QString& text);
    static void click(QWidget* button);
    // Replaces the whole text of a line edit or an editable combo by typing, as a person who
    // selects the old text first.
    static void retype(QWidget* field, const QString& text);
    // The texts of a combo's list, in order.
    static QStringList items(QComboBox* combo);
    // Esc in a fresh window from `make` closes it without a question; after `text` is typed
    // into `field` Esc asks "Discard the changes?", No keeps the window and the text, and Yes
    // closes it.
    void checkEscapeAsksBeforeDiscarding(const std::function<QDialog*()>& make, const QString& field,
                                         const QString& text);
    // Saves a picture of the window to $TRAINBOOK_SHOTS/<name>.png when that is set.
    static void shot(QWidget* window, const QString& name);

    QString dir() const { return m_dir.path(); }

  private:
    QTemporaryDir m_dir;
    QString m_oldDir;
};
