#include "CLibrary.h"

#include "Transaction.h"

namespace {
QString& defaultFile() {
    static QString file = QStringLiteral("Trainbook.db");
    return file;
}
} // namespace

CLibrary::CLibrary() : m_sAccessFile(defaultFile()) {}

QString CLibrary::defaultAccessFile() {
    return defaultFile();
}
void CLibrary::setDefaultAccessFile(const QString& path) {
    defaultFile() = path;
}

std::unique_ptr<Connection> CLibrary::GetConnection() const {
    return Connection::open(m_sAccessFile);
}

bool CLibrary::Insert_UpdateRec(const QString& sSql) const {
    try {
        GetConnection()->execute(sSql);
        return true;
    } catch (...) {
        return false;
    }
}

bool CLibrary::Insert_UpdateRec(const QString& sSql, const QVariantList& params) const {
    try {
        GetConnection()->execute(sSql, params);
        return true;
    } catch (...) {
        return false;
    }
}

bool CLibrary::Insert_UpdateRecs(const QStringList& statements) const {
    try {
        auto conn = GetConnection();
        Transaction transaction(*conn);
        conn->executeAll(statements);
        transaction.commit();
        return true;
    } catch (...) {
        return false;
    }
}

QString CLibrary::masterInsertSql() const {
    return QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, ") +
           QStringLiteral("Exercise_Day, Exercise_Time, User_Name, Comments) ") + QStringLiteral("VALUES (") +
           Quote(m_sExercise) + QStringLiteral(", ") + Quote(m_sDate) + QStringLiteral(", ") + Quote(m_sDay) +
           QStringLiteral(", ") + Quote(m_sTime) + QStringLiteral(", ") + Quote(m_sUser) +
           QStringLiteral(", ") + Quote(m_sComments) + QStringLiteral(")");
}

QString CLibrary::AddMasterRec() {
    try {
        auto conn = GetConnection();
        // The insert and the read-back of the new identifier run in one transaction, so the
        // identifier is the one of this row even if another program writes meanwhile.
        Transaction transaction(*conn);
        conn->execute(masterInsertSql());
        ResultSet rs = conn->query(QStringLiteral("SELECT MAX(Exercise_ID)AS ID FROM Exercise_Master"));
        const QString id = rs.eof() ? QString() : rs.field(QStringLiteral("Id"));
        rs.close();
        transaction.commit();
        return id.isEmpty() ? QStringLiteral("0") : id;
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString CLibrary::AddMasterWithDetail(const std::function<QString(const QString& id)>& detailSql) {
    try {
        auto conn = GetConnection();
        return AddMasterWithDetail(*conn, detailSql);
    } catch (...) {
        return QStringLiteral("0");
    }
}

QString CLibrary::AddMasterWithDetail(Connection& conn,
                                      const std::function<QString(const QString& id)>& detailSql) {
    Transaction transaction(conn);
    conn.execute(masterInsertSql());
    const QString id = QString::number(conn.lastInsertId());
    conn.execute(detailSql(id));
    transaction.commit();
    return id;
}

bool CLibrary::DeleteWorkout(const QString& detailTable, const QString& keyColumn, const QString& id) const {
    try {
        const QString key = Number(id);
        return Insert_UpdateRecs(
            {QStringLiteral("DELETE FROM %1 WHERE %2 = %3").arg(detailTable, keyColumn, key),
             QStringLiteral("DELETE FROM Exercise_Track WHERE Exercise_ID = %1").arg(key),
             QStringLiteral("DELETE FROM Exercise_HeartRate WHERE Exercise_ID = %1").arg(key),
             QStringLiteral("DELETE FROM Exercise_Master WHERE Exercise_ID = %1").arg(key)});
    } catch (...) {
        return false;
    }
}
