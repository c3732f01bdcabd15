#pragma once

#include "ReportLines.h"

#include <QString>

class Connection;

// The text reports: fixed-width lines computed from the database for one user, report kind
// and format. The report window shows them in a list, trainbook-cli prints them.
namespace TextReport {

// The report window's format options; None is what a race report has (its options are
// disabled, so none is selected).
enum class Format { Full, Summary, Weekly, None };

struct Request {
    QString user;
    QString kind; // Running, Cycling, Swimming, Video, Other, Time, RunningRace, ...
    Format format = Format::Full;
    bool miles = true;
    bool comments = false; // "Include Comments": comment lines in full reports
    QString criteria;      // the criteria fragment; "" for none
};

struct Result {
    ReportLines lines;
    // "" when the report ran to its end; otherwise the message to show. Lines written before
    // the failure are kept in `lines`.
    QString error;
};

// Runs the report that the window's Create Report runs for these inputs: every read inside
// one read transaction on `conn`. A kind or format without a report gives "Program Error".
Result create(Connection& conn, const Request& request);

// How long a report may run before it is stopped with a message.
inline constexpr int TimeLimitMs = 30000;

// The name of the procedure that makes a kind's report in a format (as its messages name
// it: "FullRunBikeRpt", "RaceRpt", ...); "" when there is none.
QString procedureName(const QString& kind, Format format);

// The message of a report that failed in `procedure` (as procedureName gives it) because of
// `why`: "Could not retrieve data - <why> - In frmTextRpt FullRunBikeRpt".
QString failureMessage(const QString& procedure, const QString& why);

// The caption of a report kind's window and printout ("Running Report", "Combined Time
// Report", ...); "" for a kind without a text report.
QString caption(const QString& kind);

} // namespace TextReport
