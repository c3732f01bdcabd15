#include "mossCalendar.h"

#include "MonthGrid.h"
#include "frmAbout.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const char* const FontFamily = "Comic Sans MS";
const char* const DesignTitle = "Calendar Title Here";
const char* const EmptyDayText = "lblDate";
const char* const Weekdays[] = {"Sun", "Mon", "Tues", "Wed", "Thurs", "Fri", "Sat"};
constexpr int FirstYear = 1998;

QFont controlFont(qreal points, bool bold) {
    QFont font;
    font.setFamilies({QString::fromLatin1(FontFamily)});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A label that keeps its place in the cell while hidden, so the grid never shifts.
QLabel* cellLabel(QWidget* parent, const QString& name, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// A colour number: blue * 65536 + green * 256 + red.
QColor colorFromNumber(quint32 number) {
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

// Contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A line's colour must read against the cell's background (a contrast ratio of 4.5 at least):
// a colour too light for a light background (yellow, cyan on light grey) is darkened, one too
// dark for a dark background (black, pure blue on a dark palette) is mixed with white. Either
// way only as far as needed, and darkening keeps the hue, so each kind keeps its colour.
QColor readableOn(const QColor& color, const QColor& background) {
    if (contrast(color, background) >= 4.5)
        return color;
    const bool darken = background.lightness() >= 128;
    QColor mixed = color;
    for (int step = 1; step <= 50 && contrast(mixed, background) < 4.5; ++step) {
        const double t = step / 50.0;
        const auto channel = [&](float v) { return float(darken ? v * (1 - t) : v * (1 - t) + t); };
        mixed = QColor::fromRgbF(channel(color.redF()), channel(color.greenF()), channel(color.blueF()));
    }
    return mixed;
}

} // namespace

mossCalendar::mossCalendar(QWidget* parent) : mossCalendar(QDate::currentDate(), parent) {}

mossCalendar::mossCalendar(const QDate& today, QWidget* parent) : QWidget(parent) {
    build(today.isValid() ? today : QDate::currentDate());
}

mossCalendar::~mossCalendar() {
    // The boxes lose the focus while QWidget tears the children down, after this object's
    // own members are gone: their edits must not reach typedDate() any more.
    cbMonth->lineEdit()->disconnect(this);
    cbYear->lineEdit()->disconnect(this);
}

void mossCalendar::build(const QDate& today) {
    setObjectName(QStringLiteral("mossCalendar"));
    setFont(controlFont(8.25, false));

    lblTitle = new QLabel(QString::fromLatin1(DesignTitle), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(controlFont(18, true));
    setTextColor(lblTitle, QColor(128, 128, 0));

    cbMonth = new QComboBox(this);
    cbMonth->setObjectName(QStringLiteral("cbMonth"));
    cbMonth->setEditable(true);
    cbMonth->setInsertPolicy(QComboBox::NoInsert);
    cbMonth->setFont(controlFont(10, false));
    for (int m = 1; m <= 12; ++m)
        cbMonth->addItem(GetMonthName(m));

    cbYear = new QComboBox(this);
    cbYear->setObjectName(QStringLiteral("cbYear"));
    cbYear->setEditable(true);
    cbYear->setInsertPolicy(QComboBox::NoInsert);
    cbYear->setFont(controlFont(10, false));
    // Every year that can hold a workout: from the first year of the list through next year.
    for (int y = FirstYear; y <= today.year() + 1; ++y)
        cbYear->addItem(QString::number(y));

    auto* top = new QHBoxLayout;
    top->addWidget(lblTitle, 1);
    top->addSpacing(fontMetrics().averageCharWidth() * 4);
    top->addWidget(cbMonth);
    top->addWidget(cbYear);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    const QFont headerFont = controlFont(14.25, false);
    for (int c = 0; c < MonthGrid::Columns; ++c) {
        auto* header = new QLabel(QString::fromLatin1(Weekdays[c]), this);
        header->setObjectName(QStringLiteral("lblDay%1").arg(c + 1));
        header->setFont(headerFont);
        header->setAlignment(Qt::AlignCenter);
        grid->addWidget(header, 0, c);
    }

    const QFont dayFont = controlFont(8.25, true);
    const QFont lineFont = controlFont(8.25, false);
    const QFont firstLineFont = controlFont(8.25, true);
    const int cellWidth = QFontMetrics(lineFont).averageCharWidth() * 13;
    for (int n = 1; n <= MonthGrid::Cells; ++n) {
        auto* cell = new QFrame(this);
        cell->setObjectName(QStringLiteral("cell%1").arg(n));
        cell->setFrameShape(QFrame::Box);
        cell->setMinimumWidth(cellWidth);
        auto* box = new QVBoxLayout(cell);
        box->setContentsMargins(3, 1, 3, 3);
        box->setSpacing(0);

        QLabel* day = cellLabel(cell, QStringLiteral("lblDate%1").arg(n), dayFont);
        day->setAlignment(Qt::AlignRight | Qt::AlignTop);
        lblDate[n - 1] = day;
        box->addWidget(day);
        for (int line = 0; line < 3; ++line) {
            QLabel* label = cellLabel(cell, QStringLiteral("lbl%1_%2").arg(n).arg(line + 1),
                                      line == 0 ? firstLineFont : lineFont);
            if (line == 0)
                setTextColor(label, Qt::red);
            label->hide();
            lblLine[n - 1][line] = label;
            box->addWidget(label);
        }
        box->addStretch();
        grid->addWidget(cell, 1 + MonthGrid::row(n), MonthGrid::column(n));
    }
    for (int c = 0; c < MonthGrid::Columns; ++c)
        grid->setColumnStretch(c, 1);
    for (int r = 1; r <= MonthGrid::Rows; ++r)
        grid->setRowStretch(r, 1);

    lblNote = new QLabel(this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    lblNote->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblNote);
    layout->addLayout(grid, 1);

    // Start at today's month; a year outside the list still shows in the box.
    cbMonth->setCurrentIndex(today.month() - 1);
    const int yearIndex = cbYear->findText(QString::number(today.year()));
    if (yearIndex >= 0)
        cbYear->setCurrentIndex(yearIndex);
    else
        cbYear->setEditText(QString::number(today.year()));
    DrawMonth();
    m_shownMonth = cbMonth->currentText() + QStringLiteral(", ") + cbYear->currentText();

    connect(cbMonth, qOverload<int>(&QComboBox::activated), this, &mossCalendar::cbMonth_Click);
    connect(cbYear, qOverload<int>(&QComboBox::activated), this, &mossCalendar::cbYear_Click);
    connect(cbMonth->lineEdit(), &QLineEdit::editingFinished, this, &mossCalendar::typedDate);
    connect(cbYear->lineEdit(), &QLineEdit::editingFinished, this, &mossCalendar::typedDate);
}

QString mossCalendar::GetMonthName(int month) {
    return MonthGrid::monthName(month);
}

void mossCalendar::cbMonth_Click() {
    pick();
}

void mossCalendar::cbYear_Click() {
    pick();
}

void mossCalendar::pick() {
    m_shownMonth = cbMonth->currentText() + QStringLiteral(", ") + cbYear->currentText();
    DrawMonth();
    emit DateChanged();
}

// A month or year typed into a box counts as a pick when it names a month and a four-digit
// year; anything else puts back the month shown, so the grid and CalendarDate never disagree.
void mossCalendar::typedDate() {
    const int month = MonthGrid::monthNumber(cbMonth->currentText());
    bool isYear = false;
    const QString yearText = cbYear->currentText().trimmed();
    const int year = yearText.toInt(&isYear);
    const qsizetype comma = m_shownMonth.lastIndexOf(QStringLiteral(", "));
    if (month == 0 || !isYear || yearText.size() != 4 || year < 1000) {
        cbMonth->setEditText(m_shownMonth.left(comma));
        cbYear->setEditText(m_shownMonth.mid(comma + 2));
        return;
    }
    const QString monthName = GetMonthName(month);
    if (cbMonth->currentText() != monthName)
        cbMonth->setCurrentIndex(month - 1);
    if (cbYear->currentText() != yearText) {
        const int index = cbYear->findText(yearText);
        if (index >= 0)
            cbYear->setCurrentIndex(index);
        else
            cbYear->setEditText(yearText);
    }
    if (monthName + QStringLiteral(", ") + yearText != m_shownMonth)
        pick();
}

void mossCalendar::DrawMonth() {
    bool isYear = false;
    const int year = cbYear->currentText().trimmed().toInt(&isYear);
    const MonthGrid grid(isYear ? year : 0, MonthGrid::monthNumber(cbMonth->currentText()));
    for (int n = 1; n <= MonthGrid::Cells; ++n)
        ShowDayNumber(n, grid.dayInCell(n));
}

void mossCalendar::ShowDayNumber(int cell, int day) {
    QLabel* label = lblDate[cell - 1];
    if (day != 0) {
        label->setText(QString::number(day));
        label->show();
    } else {
        label->hide();
        label->setText(QString::fromLatin1(EmptyDayText));
    }
}

bool mossCalendar::AddData(const QStringList& Nums, const QStringList& Data1, const QStringList& Data2,
                           const QStringList& Data3, const QList<quint32>& Colors) {
    // Settle what each cell ends up showing first (the last item of a day wins), then touch
    // only the labels whose text, colour or visibility changes: a refill of the same month
    // costs next to nothing, and no line flickers through hidden and shown.
    struct Placed {
        qsizetype item = -1;
    };
    Placed placed[MonthGrid::Cells];
    bool complete = true;
    for (qsizetype i = 0; i < Nums.size(); ++i) {
        if (i >= Data1.size() || i >= Data2.size() || i >= Data3.size() || i >= Colors.size()) {
            complete = false;
            break;
        }
        // The first cell of the shown month whose day number reads exactly as the item's day.
        for (int n = 0; n < MonthGrid::Cells; ++n) {
            if (!lblDate[n]->isHidden() && lblDate[n]->text() == Nums.at(i)) {
                placed[n].item = i;
                break;
            }
        }
    }

    for (int n = 0; n < MonthGrid::Cells; ++n) {
        QLabel* const* lines = lblLine[n];
        const qsizetype i = placed[n].item;
        if (i < 0) {
            for (int line = 0; line < 3; ++line)
                if (!lines[line]->isHidden())
                    lines[line]->hide();
            continue;
        }
        const QString* texts[3] = {&Data1.at(i), &Data2.at(i), &Data3.at(i)};
        const QColor color = readableOn(colorFromNumber(Colors.at(i)), palette().color(QPalette::Window));
        if (lines[0]->palette().color(QPalette::WindowText) != color)
            setTextColor(lines[0], color);
        for (int line = 0; line < 3; ++line) {
            if (lines[line]->text() != *texts[line]) {
                lines[line]->setText(*texts[line]);
                lines[line]->setToolTip(*texts[line]);
            }
            if (lines[line]->isHidden())
                lines[line]->show();
        }
    }
    return complete;
}

QString mossCalendar::CalendarTitle() const {
    return lblTitle->text();
}

void mossCalendar::setCalendarTitle(const QString& title) {
    if (title == lblTitle->text())
        return;
    lblTitle->setText(title);
    emit CalendarTitleChanged(title);
}

QString mossCalendar::CalendarNote() const {
    return lblNote->text();
}

void mossCalendar::setCalendarNote(const QString& note) {
    lblNote->setText(note);
    lblNote->setVisible(!note.isEmpty());
}

void mossCalendar::ShowAbout() {
    Monthpane::frmAbout about(this);
    about.exec();
}
