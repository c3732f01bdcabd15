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
