#pragma once

#include "Connection.h"
#include "DbError.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The shared library object of the program: names the database file, opens connections,
// runs finished write statements, and carries the time, pace and distance conversions. Every
// handler makes its own instance and lets it go when it returns.
class CLibrary {
  public:
    CLibrary();

    // --- The database file ------------------------------------------------------------
    QString sAccessFile() const { return m_sAccessFile; }
    void setSAccessFile(const QString& v) { m_sAccessFile = v; }

    // The file every new CLibrary names: "Trainbook.db", resolved against the working
    // directory. trainbook-cli --db changes it for the whole process.
    static QString defaultAccessFile();
    static void setDefaultAccessFile(const QString& path);

    // --- Database -----------------------------------------------------------------------
    // A new open connection to sAccessFile; the caller owns it. Throws DbError.
    std::unique_ptr<Connection> GetConnection() const;

    // Runs one INSERT, UPDATE or DELETE. True on success; false on any failure, silently.
    bool Insert_UpdateRec(const QString& sSql) const;
    // The same with values the program supplies bound to the statement's ? parameters.
    bool Insert_UpdateRec(const QString& sSql, const QVariantList& params) const;

    // Runs the statements in one transaction: all written, or none. False on any failure.
    bool Insert_UpdateRecs(const QStringList& statements) const;

    // Deletes a workout's detail row, its track, its kept heart rate and its master row in one
    // transaction.
    // E.g. DeleteWorkout("Running_Log", "Running_ID", id). False on any failure.
    bool DeleteWorkout(const QString& detailTable, const QString& keyColumn, const QString& id) const;

    // --- Values inside statements -------------------------------------------------------
    // A quoted SQL literal with every single quote doubled: Bob's -> 'Bob''s'.
    static QString Quote(const QString& text);
    // A plain decimal number, unquoted, as typed (blanks trimmed). Throws DbError
    // ("Type mismatch") for anything else, so the statement is never built.
    static QString Number(const QString& text);

    // --- Conversions ----------------------------------------------------------------------
    static double GetMinutes(const QString& time); // throws "Type mismatch"
    static QString MinutesToString(double minutes);
    static QString GetPace(const QString& time, const QString& distance); // throws
    static QString GetPace(const QString& time, double distance);         // throws
    static QString GetMPH(const QString& time, const QString& distance);  // throws
    static QString GetMPH(const QString& time, double distance);          // throws
    static QString ComputeKilometers(const QString& miles);               // "0" on any error
    static QString ComputeMiles(const QString& kilometers);               // "0" on any error
    static QString FormatString(const QString& sString, qint16 nSpaces);
    // Splits "Saturday, 12/5/2026" at its first comma. Throws DbError
    // ("Invalid procedure call or argument") when there is no comma.
    static void ParseDate(const QString& sDate, QString& sDayOWeek, QString& sCalendarDate);

    static constexpr double KilometersPerMile = 1.609;

  private:
    QString m_sAccessFile;
};
