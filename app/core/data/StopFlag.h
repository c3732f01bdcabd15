#pragma once

#include <atomic>
#include <mutex>
#include <vector>

struct sqlite3;

// Asks long work on another thread to stop soon: the work looks at stopped() between its
// steps, and a statement running on a watched connection (a whole-file check) is
// interrupted at once. stop() may be called from any thread.
class StopFlag {
  public:
    void stop();
    bool stopped() const { return m_stopped.load(); }

    // While it lives, stop() interrupts the statement `db` is running. The engine forgets an
    // interrupt of an idle connection, so the work still looks at stopped() before each long
    // statement. A null flag watches nothing.
    class Watch {
      public:
        Watch(StopFlag* flag, sqlite3* db);
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

      private:
        StopFlag* m_flag;
        sqlite3* m_db;
    };

  private:
    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex; // guards m_watched: a connection is never interrupted after it closed
    std::vector<sqlite3*> m_watched;
};
