#include "DistanceFields.h"

#include "CLibrary.h"
#include "FieldHelpers.h"
#include "NumberText.h"
#include "WorkoutLimits.h"

#include <QLineEdit>

void DistanceFields::createDistanceFields(QWidget* window, QLineEdit* time, bool filterKilometers) {
    m_time = time;
    auto makeField = [window](const QString& name) {
        auto* field = new QLineEdit(window);
        field->setObjectName(name);
        return field;
    };
    txtMiles = makeField(QStringLiteral("txtMiles"));
    txtKilometers = makeField(QStringLiteral("txtKilometers"));
    txtPace = makeField(QStringLiteral("txtPace"));
    txtPace->setEnabled(false);

    Fields::selectAllOnFocus(txtMiles);
    Fields::selectAllOnFocus(txtKilometers);
    Fields::installDistanceFilter(txtMiles);
    if (filterKilometers)
        Fields::installDistanceFilter(txtKilometers);
    QObject::connect(time, &QLineEdit::textChanged, window, [this] { txtTime_Change(); });
    Fields::onLeave(txtMiles, [this] { txtMiles_LostFocus(); });
    Fields::onLeave(txtKilometers, [this] { txtKilometers_LostFocus(); });
}

QString DistanceFields::rate(const QString& time, double distance) const {
    return CLibrary::GetPace(time, distance);
}

QString DistanceFields::safeRate(const QString& time, const QString& distance) const {
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

void DistanceFields::txtTime_Change() {
    // Read the field, not the signal's argument: the time filter may have shortened it.
    txtPace->setText(safeRate(m_time->text(), bMiles ? txtMiles->text() : txtKilometers->text()));
}

bool DistanceFields::distancesWithinLimits() const {
    const auto ok = [](const QLineEdit* field, double perMile) {
        const auto value = NumberText::parse(field->text());
        return !value || WorkoutLimits::milesOk(*value / perMile);
    };
    return ok(txtMiles, 1.0) && ok(txtKilometers, CLibrary::KilometersPerMile);
}

void DistanceFields::txtMiles_LostFocus() {
    const QString miles = txtMiles->text();
    if (miles.isEmpty())
        return;
    txtKilometers->setText(NumberText::parse(miles) ? CLibrary::ComputeKilometers(miles) : QString());
}

void DistanceFields::txtKilometers_LostFocus() {
    // A miles figure the person typed stays. Miles the person could not have typed (the
    // field is disabled for a kilometre user) or that an earlier conversion filled in follow
    // the kilometres, so the two stored distances always agree.
    const QString miles = txtMiles->text();
    if (!miles.isEmpty() && txtMiles->isEnabled() && miles != m_milesFromKilometers)
        return;
    const QString km = txtKilometers->text();
    if (NumberText::parse(km)) {
        m_milesFromKilometers = CLibrary::ComputeMiles(km);
        txtMiles->setText(m_milesFromKilometers);
    }
}
