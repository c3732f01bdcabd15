#include "GuiFixture.h"

#include "Clock.h"
#include "Dialogs.h"
#include "QueryRows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

void GuiFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_oldDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    Connection::create(QStringLiteral("Trainbook.db"));

    Dialogs::setMessageHandler([this](const QString& text) { messages << text; });
    Dialogs::setAskHandler([this](const QString& text) {
        questions << text;
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    });
    Dialogs::setModalHandler([this](QDialog* dialog) {
        const QString name = dialog->objectName();
        opened << name;
        auto it = drivers.find(name);
        if (it == drivers.end())
            return int(QDialog::Rejected);
        dialog->show();
        QApplication::processEvents();
        const int result = it->second(dialog);
        dialog->hide();
        return result;
    });
}

void GuiFixture::TearDown() {
    Dialogs::setMessageHandler({});
    Dialogs::setAskHandler({});
    Dialogs::setModalHandler({});
    Clock::reset();
    QDir::setCurrent(m_oldDir);
}

testing::AssertionResult GuiFixture::messagesAre(const QStringList& expected) const {
    bool same = messages.size() == expected.size();
    for (qsizetype i = 0; same && i < expected.size(); ++i) {
        const QString pattern = QRegularExpression::escape(expected[i]).replace("\\*", ".+");
        same = QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(messages[i]).hasMatch();
    }
    if (same)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "messages shown:\n"
                                       << messages.join(QLatin1Char('\n')).toStdString();
}

std::unique_ptr<Connection> GuiFixture::db() {
    return Connection::open(m_dir.filePath(QStringLiteral("Trainbook.db")));
}

void GuiFixture::exec(const QString& sql) {
    try {
        db()->execute(sql);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "statement failed: " << sql.toStdString() << ": " << e.what();
    }
}

QString GuiFixture::scalar(const QString& sql) {
    try {
        auto c = db();
        ResultSet rs = c->query(sql);
        return rs.eof() ? QString() : rs.field(0);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "query failed: " << sql.toStdString() << ": " << e.what();
        return QString();
    }
}

QStringList GuiFixture::rows(const QString& sql) {
    QStringList out;
    try {
        out = queryRows(*db(), sql);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "query failed: " << sql.toStdString() << ": " << e.what();
    }
    return out;
}

void GuiFixture::focus(QWidget* w) {
    QWidget* top = w->window();
    if (!top->isVisible())
        top->show();
    QApplication::setActiveWindow(top);
    w->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void GuiFixture::type(QWidget* w, const QString& text) {
    focus(w);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClicks(target, text);
    QApplication::processEvents();
}

void GuiFixture::checkEscapeAsksBeforeDiscarding(const std::function<QDialog*()>& make, const QString& field,
                                                 const QString& text) {
    auto escape = [](QDialog* d) {
        QWidget* at = QApplication::focusWidget();
        QTest::keyClick(at && at->window() == d ? at : d, Qt::Key_Escape);
        QApplication::processEvents();
    };
    const QString discard = QStringLiteral("Discard the changes?");
    {
        std::unique_ptr<QDialog> d(make());
        focus(d.get());
        escape(d.get());
        EXPECT_FALSE(d->isVisible()) << "nothing typed: Esc closes";
        EXPECT_FALSE(questions.contains(discard));
    }
    std::unique_ptr<QDialog> d(make());
    auto* input = find<QWidget>(d.get(), field);
    type(input, text);
    answers = {false};
    escape(d.get());
    EXPECT_EQ(questions.filter(discard).size(), 1);
    EXPECT_TRUE(d->isVisible()) << "No keeps the window";
    if (auto* line = qobject_cast<QLineEdit*>(input)) {
        EXPECT_EQ(line->text(), text);
    }
    answers = {true};
    escape(d.get());
    EXPECT_FALSE(d->isVisible()) << "Yes closes it";
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

void GuiFixture::click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

void GuiFixture::retype(QWidget* field, const QString& text) {
    focus(field);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : field;
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
    QApplication::processEvents();
}

QStringList GuiFixture::items(QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

void GuiFixture::shot(QWidget* window, const QString& name) {
    const QByteArray dir = qgetenv("TRAINBOOK_SHOTS");
    if (dir.isEmpty())
        return;
    if (!window->isVisible())
        window->show();
    QApplication::processEvents();
    window->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png"));
}
