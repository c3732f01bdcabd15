#include "Triangulator.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "WorkoutLimits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

// The control carries its own copies of the conversions it needs, so that it links nothing
// but Qt (it shares only the program's header of the largest storable values). They follow
// the program's conversions, except that none of them fails: anything that cannot be computed
// shows "0" (a distance) or "0:00" (a time or a pace), and so does a distance over 1,000 miles
// (1,609 km) or a time over 1,000 hours, typed or worked out.
namespace {

constexpr double KilometersPerMile = 1.609;
const QString ZeroTime = QStringLiteral("0:00");

// A plain decimal number with "." as the point: optional sign, digits, at most one point,
// blanks around. Nothing for anything else (empty text, "abc", "1e5", "5,5", "inf").
std::optional<double> parseNumber(const QString& text) {
    const QString t = text.trimmed();
    std::string plain;
    int digits = 0;
    bool point = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
            plain += char(c);
        } else if (c == u'.' && !point) {
            point = true;
            plain += '.';
        } else if ((c == u'-' || c == u'+') && i == 0) {
            if (c == u'-')
                plain += '-';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double value = 0;
    const auto res =
        std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    // Hundreds of digits are out of range and count as not a number, like every other text
    // that no distance or time can be.
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A typed distance in miles, or in kilometres when `km`; nothing when it is not a number or
// more than any workout can be.
std::optional<double> distanceOf(const QString& text, bool km) {
    const auto value = parseNumber(text);
    if (!value || !WorkoutLimits::milesOk(std::abs(*value) / (km ? KilometersPerMile : 1.0)))
        return std::nullopt;
    return value;
}

// One decimal, at least one integer digit, no thousands separator; halves are rounded away
// from zero on the decimal value that was typed (2.05 -> 2.1), not on its binary neighbour.
QString oneDecimal(double value) {
    std::array<char, 400> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), std::abs(value), std::chars_format::fixed);
    const std::string shortest(buf.data(), res.ptr);
    const auto dot = shortest.find('.');
    std::string digits = shortest.substr(0, dot);
    const std::string frac = dot == std::string::npos ? std::string() : shortest.substr(dot + 1);
    digits += frac.empty() ? '0' : frac[0];
    if (frac.size() > 1 && frac[1] >= '5') {
        int i = int(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i];
    }
    std::string text = digits.substr(0, digits.size() - 1) + '.' + digits.back();
    if (value < 0 && digits.find_first_not_of('0') != std::string::npos)
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text);
}

// Miles typed -> kilometres shown; "0" for anything that is not a number.
QString CalcKilometers(const QString& miles) {
    const auto value = distanceOf(miles, false);
    if (!value)
        return QStringLiteral("0");
    return oneDecimal(*value * KilometersPerMile);
}

QString CalcMiles(const QString& kilometers) {
    const auto value = distanceOf(kilometers, true);
    if (!value)
        return QStringLiteral("0");
    return oneDecimal(*value / KilometersPerMile);
}

struct TimeParts {
    QString hours, minutes, seconds;
};

// Splits a duration from the right: seconds, minutes, hours; anything before a third ":" from
// the right does not count.
TimeParts SplitTime(const QString& time) {
    const QStringList fields = time.split(QLatin1Char(':'));
    const qsizetype n = fields.size();
    TimeParts parts;
    parts.seconds = fields.at(n - 1);
    if (n >= 2)
        parts.minutes = fields.at(n - 2);
    if (n >= 3)
        parts.hours = fields.at(n - 3);
    return parts;
}

// A blank field counts as 0; nothing for a field that is not a number.
std::optional<double> timeField(const QString& field) {
    if (field.trimmed().isEmpty())
        return 0.0;
    return parseNumber(field);
}

// A duration as minutes: hours x 60 + minutes + seconds / 60. Nothing when a field is not a
// number.
std::optional<double> CalcMinutes(const QString& time) {
    const TimeParts parts = SplitTime(time);
    const auto h = timeField(parts.hours);
    const auto m = timeField(parts.minutes);
    const auto s = timeField(parts.seconds);
    if (!h || !m || !s)
        return std::nullopt;
    const double minutes = *h * 60 + *m + *s / 60;
    if (!WorkoutLimits::minutesOk(std::abs(minutes)))
        return std::nullopt;
    return minutes;
}

QString twoDigits(std::int64_t n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// Whole seconds of `minutes`, with the last binary digits of minutes x 60 snapped away so
// that a time meant to be whole seconds is not a hair below them (22 minutes computed as
// 21.999999999999996). Nothing when the value is negative or too large to count in seconds.
std::optional<double> totalSeconds(double minutes) {
    if (!std::isfinite(minutes) || minutes < 0)
        return std::nullopt;
    double seconds = minutes * 60;
    if (seconds > 9.0e15)
        return std::nullopt;
    if (seconds < 9.0e9)
        seconds = std::round(seconds * 1e6) / 1e6;
    return seconds;
}

QString clockText(std::int64_t seconds) {
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    const std::int64_t secs = seconds % 60;
    if (hours < 1)
        return QString::number(minutes) + QLatin1Char(':') + twoDigits(secs);
    return QString::number(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
           twoDigits(secs);
}

// Minutes shown as m:ss below an hour and h:mm:ss from an hour on; the seconds are rounded
// to the nearest whole second, halves to the even one, and 59.5 seconds and more carry into
// the next minute.
QString CalcTimeString(double minutes) {
    const auto seconds = totalSeconds(minutes);
    if (!seconds)
        return ZeroTime;
    return clockText(static_cast<std::int64_t>(std::nearbyint(*seconds)));
}

// The time per unit of distance; "0:00" for a bad time, a distance that is empty, not a
// number or zero, and a negative result.
QString CalcPace(const QString& time, const QString& distance, bool km) {
    const auto minutes = CalcMinutes(time);
    const auto miles = distanceOf(distance, km);
    if (!minutes || !miles || *miles == 0)
        return ZeroTime;
    return CalcTimeString(*minutes / *miles);
}

// The time for a distance at a pace. The seconds are cut, not rounded (65.999 minutes is
// 1:05:59). A pace may carry hours. "0:00" for a pace or distance that is not a number and a
// negative result; an empty distance counts 0.
QString CalcTime(const QString& pace, const QString& distance, bool km) {
    const auto paceMinutes = CalcMinutes(pace);
    const auto miles = distance.trimmed().isEmpty() ? std::optional<double>(0.0) : distanceOf(distance, km);
    if (!paceMinutes || !miles)
        return ZeroTime;
    const double minutes = *miles * *paceMinutes;
    const auto seconds = WorkoutLimits::minutesOk(minutes) ? totalSeconds(minutes) : std::nullopt;
    if (!seconds)
        return ZeroTime;
    return clockText(static_cast<std::int64_t>(std::floor(*seconds)));
}

} // namespace

Triangulator::Triangulator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Triangulator"));

    lblTitle = new QLabel(QStringLiteral("PACE/TIME CALCULATOR"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle->setFont(titleFont);

    Frame1 = new QGroupBox(QStringLiteral("Calculate"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    optPace = new QRadioButton(QStringLiteral("Pace"), Frame1);
    optPace->setObjectName(QStringLiteral("optPace"));
    optPace->setToolTip(QStringLiteral("Calculate pace for distance and time"));
    optPace->setChecked(true);
    optTime = new QRadioButton(QStringLiteral("Time"), Frame1);
    optTime->setObjectName(QStringLiteral("optTime"));
    optTime->setToolTip(QStringLiteral("Calculate time for distance and pace"));
    auto* modes = new QHBoxLayout(Frame1);
    modes->addWidget(optPace);
    modes->addWidget(optTime);

    chkMiles = new QCheckBox(QStringLiteral("Distance is Miles"), this);
    chkMiles->setObjectName(QStringLiteral("chkMiles"));
    chkMiles->setToolTip(QStringLiteral("Enter data in miles or kilometers"));
    chkMiles->setChecked(true);

    txtMiles = addBox("txtMiles", QStringLiteral("Enter miles"));
    lblMiles = addLabel("lblMiles", QStringLiteral("Miles:"), txtMiles);
    txtKM = addBox("txtKM", QStringLiteral("Enter kilometers"));
    lblKM = addLabel("lblKM", QStringLiteral("KM:"), txtKM);
    txtTime = addBox("txtTime", QStringLiteral("Enter time in the format hh:mm:ss"));
    lblTime = addLabel("lblTime", QStringLiteral("Time (hr:mm:ss):"), txtTime);
    txtMilePace = addBox("txtMilePace", QStringLiteral("Enter pace in the format hh:mm:ss"));
    lblMilePace = addLabel("lblMilePace", QStringLiteral("Miles Pace:"), txtMilePace);
    txtKMPace = addBox("txtKMPace", QStringLiteral("Enter pace in the format hh:mm:ss"));
    lblKMPace = addLabel("lblKMPace", QStringLiteral("KM Pace:"), txtKMPace);

    auto* top = new QHBoxLayout;
    top->addWidget(Frame1);
    top->addStretch();
    top->addWidget(chkMiles);

    m_rows = new QGridLayout;
    m_rows->setColumnStretch(1, 1);
    m_rows->setColumnStretch(3, 1);
    m_rows->setColumnMinimumWidth(2, 0);
    m_rows->addWidget(lblMiles, 0, 0);
    m_rows->addWidget(txtMiles, 0, 1);
    m_rows->addWidget(lblKM, 0, 2);
    m_rows->addWidget(txtKM, 0, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(top);
    layout->addLayout(m_rows);
    layout->addStretch();

    connect(txtMiles, &QLineEdit::textChanged, this, &Triangulator::txtMiles_Change);
    connect(txtKM, &QLineEdit::textChanged, this, &Triangulator::txtKM_Change);
    connect(txtTime, &QLineEdit::textChanged, this, &Triangulator::txtTime_Change);
    connect(txtMilePace, &QLineEdit::textChanged, this, &Triangulator::txtMilePace_Change);
    connect(txtKMPace, &QLineEdit::textChanged, this, &Triangulator::txtKMPace_Change);
    connect(chkMiles, &QCheckBox::clicked, this, &Triangulator::chkMiles_Click);
    // toggled, not clicked: arrow keys inside the frame change the mode as well.
    connect(optPace, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optPace_Click();
    });
    connect(optTime, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTime_Click();
    });

    arrangeRows();
    SetEntryFields();
}

QLineEdit* Triangulator::addBox(const char* name, const QString& tooltip) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tooltip);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00")) + 16);
    box->installEventFilter(this);
    return box;
}

QLabel* Triangulator::addLabel(const char* name, const QString& caption, QLineEdit* buddy) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

bool Triangulator::eventFilter(QObject* watched, QEvent* event) {
    // Entering a box selects its whole text, so typing replaces it. Deferred, so that the
    // click that gave the focus does not clear the selection again.
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(watched, event);
}

bool Triangulator::paceMode() const {
    return optPace->isChecked();
}

void Triangulator::setDistance(bool miles) {
    const bool changed = miles != m_miles;
    m_miles = miles;
    chkMiles->setChecked(miles);
    SetEntryFields();
    if (changed)
        emit DistanceChanged(miles);
}

void Triangulator::SetEntryFields() {
    const bool pace = paceMode();
    txtMiles->setEnabled(m_miles);
    txtKM->setEnabled(!m_miles);
    txtTime->setEnabled(pace);
    txtMilePace->setEnabled(!pace && m_miles);
    txtKMPace->setEnabled(!pace && !m_miles);
    // Focus given to the control goes to the distance that is typed.
    setFocusProxy(m_miles ? txtMiles : txtKM);
}

void Triangulator::arrangeRows() {
    const bool pace = paceMode();
    const int timeRow = pace ? 1 : 2;
    const int paceRow = pace ? 2 : 1;
    for (QWidget* w : {static_cast<QWidget*>(lblTime), static_cast<QWidget*>(txtTime),
                       static_cast<QWidget*>(lblMilePace), static_cast<QWidget*>(txtMilePace),
                       static_cast<QWidget*>(lblKMPace), static_cast<QWidget*>(txtKMPace)})
        m_rows->removeWidget(w);
    m_rows->addWidget(lblTime, timeRow, 0);
    m_rows->addWidget(txtTime, timeRow, 1);
    m_rows->addWidget(lblMilePace, paceRow, 0);
    m_rows->addWidget(txtMilePace, paceRow, 1);
    m_rows->addWidget(lblKMPace, paceRow, 2);
    m_rows->addWidget(txtKMPace, paceRow, 3);

    // Tab follows the rows as they stand; boxes that are shown only are skipped.
    QWidget* order[] = {optPace,
                        optTime,
                        chkMiles,
                        txtMiles,
                        txtKM,
                        pace ? txtTime : txtMilePace,
                        pace ? txtMilePace : txtKMPace,
                        pace ? txtKMPace : txtTime};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Triangulator::txtMiles_Change() {
    if (!txtMiles->isEnabled())
        return;
    txtKM->setText(CalcKilometers(txtMiles->text()));
    if (txtTime->isEnabled()) {
        if (!txtTime->text().isEmpty()) {
            txtMilePace->setText(CalcPace(txtTime->text(), txtMiles->text(), false));
            txtKMPace->setText(CalcPace(txtTime->text(), txtKM->text(), true));
        }
    } else if (!txtMilePace->text().isEmpty()) {
        txtTime->setText(CalcTime(txtMilePace->text(), txtMiles->text(), false));
    }
}

void Triangulator::txtKM_Change() {
    if (!txtKM->isEnabled())
        return;
    txtMiles->setText(CalcMiles(txtKM->text()));
    if (txtTime->isEnabled()) {
        if (!txtTime->text().isEmpty()) {
            txtMilePace->setText(CalcPace(txtTime->text(), txtMiles->text(), false));
            txtKMPace->setText(CalcPace(txtTime->text(), txtKM->text(), true));
        }
    } else if (!txtKMPace->text().isEmpty()) {
        txtTime->setText(CalcTime(txtKMPace->text(), txtKM->text(), true));
    }
}

void Triangulator::txtTime_Change() {
    if (!paceMode())
        return;
    txtMilePace->setText(CalcPace(txtTime->text(), txtMiles->text(), false));
    txtKMPace->setText(CalcPace(txtTime->text(), txtKM->text(), true));
}

void Triangulator::txtMilePace_Change() {
    if (paceMode() || !txtMilePace->isEnabled())
        return;
    txtTime->setText(CalcTime(txtMilePace->text(), txtMiles->text(), false));
    txtKMPace->setText(CalcPace(txtTime->text(), txtKM->text(), true));
}

void Triangulator::txtKMPace_Change() {
    if (paceMode() || !txtKMPace->isEnabled())
        return;
    txtTime->setText(CalcTime(txtKMPace->text(), txtKM->text(), true));
    txtMilePace->setText(CalcPace(txtTime->text(), txtMiles->text(), false));
}

void Triangulator::chkMiles_Click() {
    setDistance(chkMiles->isChecked());
}

void Triangulator::optPace_Click() {
    arrangeRows();
    SetEntryFields();
}

void Triangulator::optTime_Click() {
    arrangeRows();
    SetEntryFields();
}
