#pragma once

class Connection;

// One transaction on one connection, as an object: begun when it is made, committed only by
// commit(), rolled back when it goes out of scope without a commit (an exception, an early
// return). A write transaction takes the write lock at once (BEGIN IMMEDIATE), so a writer
// that reads back between statements sees only its own changes. A read transaction is
// deferred: it takes no write lock, and every SELECT inside it sees the same snapshot, which
// is what a report or chart that runs many queries needs.
//
// Made while the connection is already inside a transaction, the guard joins it: commit()
// and the destructor leave the outer transaction to its own guard.
class Transaction {
  public:
    enum class Mode { Write, Read };

    explicit Transaction(Connection& connection, Mode mode = Mode::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Commits (a joined guard does nothing). Throws DbError when the commit fails; the
    // destructor then rolls back.
    void commit();

  private:
    Connection& m_connection;
    bool m_owner = false;
    bool m_done = false;
};
