#pragma once

#include "Connection.h"
#include "DbError.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The shared library object of the program: names the database file, opens connections,
// runs finished write statements, inserts master rows, and carries the time, pace and
// distance conversions. Every handler makes its own instance and lets it go when it returns.
class CLibrary {
  public:
    CLibrary();

    // --- Properties of the master row and of the database file --------------------------
    QString sDate() const { return m_sDate; }
    void setSDate(const QString& v) { m_sDate = v; }
    QString sDay() const { return m_sDay; }
    void setSDay(const QString& v) { m_sDay = v; }
    QString sExercise() const { return m_sExercise; }
    void setSExercise(const QString& v) { m_sExercise = v; }
    QString sTime() const { return m_sTime; }
    void setSTime(const QString& v) { m_sTime = v; }
    QString sComments() const { return m_sComments; }
    void setSComments(const QString& v) { m_sComments = v; }
    QString sUser() const { return m_sUser; }
    void setSUser(const QString& v) { m_sUser = v; }
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

    // Inserts the master row from the six properties and returns its new Exercise_ID as
    // text, or "0" on any failure.
    QString AddMasterRec();

    // Inserts the master row from the properties and then the detail statement that
    // `detailSql` builds from the new identifier, in one transaction: both rows or neither.
    // Returns the new identifier, or "0" on any failure (including a throw from detailSql).
    QString AddMasterWithDetail(const std::function<QString(const QString& id)>& detailSql);
    // The same on a connection the caller holds, joining its open transaction if there is
    // one (an import writes many workouts in one). Throws DbError on any failure.
    QString AddMasterWithDetail(Connection& conn, const std::function<QString(const QString& id)>& detailSql);

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
    QString masterInsertSql() const;

    QString m_sDate, m_sDay, m_sExercise, m_sTime, m_sComments, m_sUser, m_sAccessFile;
};
