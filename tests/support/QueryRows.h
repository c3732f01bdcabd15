#pragma once
// Query results as text, so a test compares whole rows in one expectation.
#include "Connection.h"

#include <QStringList>

// Every row of `sql`, its fields joined with `sep`. With `skipNulls` a NULL field is left out
// rather than shown empty (rows of a LEFT JOIN over several detail tables).
inline QStringList queryRows(Connection& db, const QString& sql, QChar sep = QLatin1Char('|'),
                             bool skipNulls = false) {
    QStringList out;
    for (ResultSet rs = db.query(sql); !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.columnCount(); ++i)
            if (!skipNulls || !rs.isNull(rs.columnName(i)))
                fields << rs.field(i);
        out << fields.join(sep);
    }
    return out;
}
