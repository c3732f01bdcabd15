#include "DistanceLogWindow.h"

#include "CLibrary.h"
#include "FieldHelpers.h"
#include "NumberText.h"

#include <QLabel>
#include <QLineEdit>

DistanceLogWindow::DistanceLogWindow(SharedState& state, const Kind& kind, QWidget* parent)
    : LogWindow(state, kind, parent)
{
}

void DistanceLogWindow::createDistanceFields(const QString& paceCaption)
{
    txtMiles = makeLineEdit(QStringLiteral("txtMiles"));
    txtKilometers = makeLineEdit(QStringLiteral("txtKilometers"));
    txtPace = makeLineEdit(QStringLiteral("txtPace"));
    txtPace->setEnabled(false);
    lblMiles = makeLabel(QStringLiteral("lblMiles"), QStringLiteral("Miles:"));
    lblKilometers = makeLabel(QStringLiteral("lblKilometers"), QStringLiteral("Kilometers:"));
    lblPace = makeLabel(QStringLiteral("lblPace"), paceCaption);

    Fields::selectAllOnFocus(txtMiles);
    Fields::selectAllOnFocus(txtKilometers);
    Fields::installDistanceFilter(txtMiles);
    Fields::installDistanceFilter(txtKilometers);
    // Connected after the time filter of the base, so the pace sees the filtered text.
    connect(txtTime, &QLineEdit::textChanged, this, &DistanceLogWindow::txtTime_Change);
    Fields::onLeave(txtMiles, [this] { txtMiles_LostFocus(); });
    Fields::onLeave(txtKilometers, [this] { txtKilometers_LostFocus(); });
}

void DistanceLogWindow::applyUnit()
{
    bMiles = m_state.miles();
    txtMiles->setEnabled(bMiles);
    txtKilometers->setEnabled(!bMiles);
}

QString DistanceLogWindow::safeRate(const QString& time, const QString& distance) const
{
    if (time.trimmed().isEmpty())
        return QString();
    const auto d = NumberText::parse(distance);
    if (!d || *d <= 0)
        return QString();
    try {
        return rate(time, *d);
    } catch (const std::exception&) {
        return QString(); // a time that is not a duration, or one of zero length for a speed
    }
}

void DistanceLogWindow::txtTime_Change()
{
    // Read the field, not the signal's argument: the time filter may have shortened it.
    // Without a usable time and distance of the user's unit it shows nothing.
    txtPace->setText(safeRate(txtTime->text(), bMiles ? txtMiles->text() : txtKilometers->text()));
}

void DistanceLogWindow::txtMiles_LostFocus()
{
    const QString miles = txtMiles->text();
    if (miles.isEmpty())
        return;
    txtKilometers->setText(NumberText::parse(miles) ? CLibrary::ComputeKilometers(miles) : QString());
}

void DistanceLogWindow::txtKilometers_LostFocus()
{
    if (!txtMiles->text().isEmpty())
        return;
    const QString km = txtKilometers->text();
    if (NumberText::parse(km))
        txtMiles->setText(CLibrary::ComputeMiles(km));
}

void DistanceLogWindow::fillDistance(const ResultSet& row, bool reportMiles)
{
    txtMiles->setText(row.field(QStringLiteral("Miles")));
    txtKilometers->setText(row.field(QStringLiteral("Kilometers")));
    txtPace->setText(safeRate(row.field(QStringLiteral("Exercise_Time")),
                              row.field(reportMiles ? QStringLiteral("Miles") : QStringLiteral("Kilometers"))));
}
