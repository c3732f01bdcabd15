#include "ReportDrillDown.h"

#include "DateText.h"
#include "ReportCriteria.h"
#include "WorkoutKinds.h"

#include <QRegularExpression>

namespace ReportDrillDown {

namespace {

bool isWorkoutKind(const QString& kind) {
    return WorkoutKinds::findWorkout(kind) != nullptr;
}

// The workout kind of a line of the combined time report: its column 38, or, when a long
// time or weekday text has pushed the columns, the fourth field of the line.
QString timeReportKind(const QString& line) {
    const QString atColumn = line.mid(37, 25).trimmed();
    if (isWorkoutKind(atColumn))
        return atColumn;
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() > 3 && isWorkoutKind(fields.at(3)))
        return fields.at(3);
    return QString();
}

} // namespace

Target target(const QString& line, qint64 record, const QString& reportKind, TextReport::Format format) {
    Target t;
    switch (format) {
    case TextReport::Format::Full: {
        const QString kind = reportKind == QLatin1String("Time") ? timeReportKind(line) : reportKind;
        if (record <= 0 || !isWorkoutKind(kind))
            return t;
        t.action = Target::Action::Workout;
        t.kind = kind;
        t.id = QString::number(record);
        return t;
    }
    case TextReport::Format::Summary: {
        const QString month = line.left(14).trimmed();
        static const QRegularExpression monthText(QStringLiteral("^[A-Z][a-z]+ \\d{4}$"));
        if (!monthText.match(month).hasMatch() || !DateText::parse(month))
            return t;
        t.action = Target::Action::Criteria;
        t.kind = reportKind;
        t.criteria = ReportCriteria::monthFragment(month);
        return t;
    }
    case TextReport::Format::Weekly: {
        static const QRegularExpression weekText(QStringLiteral("^\\d{2}-[A-Z][a-z]{2}-\\d{4}$"));
        const QString day = line.left(11);
        const auto sunday = weekText.match(day).hasMatch() ? DateText::parse(day) : std::nullopt;
        if (!sunday)
            return t;
        t.action = Target::Action::Criteria;
        t.kind = reportKind;
        t.criteria = ReportCriteria::weekFragment(*sunday);
        return t;
    }
    case TextReport::Format::None: {
        if (!ReportCriteria::isRaceKind(reportKind))
            return t;
        if (record <= 0)
            return t;
        t.action = Target::Action::Race;
        t.kind = reportKind;
        t.id = QString::number(record);
        return t;
    }
    }
    return t;
}

} // namespace ReportDrillDown
