#include "Transaction.h"

#include "Connection.h"

Transaction::Transaction(Connection& connection, Mode mode) : m_connection(connection) {
    if (m_connection.inTransaction())
        return;
    if (mode == Mode::Write)
        m_connection.begin();
    else
        m_connection.beginRead();
    m_owner = true;
}

Transaction::~Transaction() {
    if (m_owner && !m_done)
        m_connection.rollback();
}

void Transaction::commit() {
    if (!m_owner || m_done)
        return;
    m_connection.commit();
    m_done = true;
}
