#pragma once

#include "TextReport.h"

#include <QString>

// What a double-click on a report line opens, worked out from the line alone.
namespace ReportDrillDown {

struct Target {
    enum class Action {
        None,     // not a line that leads anywhere: "Please select a record in the report."
        Workout,  // open the log window of `kind` for record `id`
        Race,     // open the race log for race `id` of `kind`
        Criteria, // replace the criteria by `criteria` and make the full report
    };
    Action action = Action::None;
    QString kind;     // Running, Cycling, Swimming, Video, Other, or the race kind
    QString id;       // the record number
    QString criteria; // the new criteria fragment
};

// `reportKind` is the report window's kind, `format` its selected format option.
//  - Full (and race) reports: `record` is the record number kept beside the line (its record
//    line or its comment line; 0 for any other line). In the combined time report the
//    workout's kind is read from `line`, which is then the record line (column 38, or its
//    fourth field when a long time or weekday has pushed it), and must be one of the five
//    workout kinds.
//  - Summary: a month line starts with a month text (month name and year); the criteria
//    become that month.
//  - Weekly: a week line starts with the week's Sunday (dd-mmm-yyyy); the criteria become
//    that Sunday to Saturday.
// Anything else is Action::None. Only numbers and dates read back from the line reach the
// statements made from a target.
Target target(const QString& line, qint64 record, const QString& reportKind, TextReport::Format format);

// The message shown for Action::None.
inline QString noRecordMessage() {
    return QStringLiteral("Please select a record in the report.");
}

} // namespace ReportDrillDown
