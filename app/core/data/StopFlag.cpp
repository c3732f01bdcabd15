#include "StopFlag.h"

#include <algorithm>
#include <sqlite3.h>

void StopFlag::stop() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stopped.store(true);
    for (sqlite3* db : m_watched)
        sqlite3_interrupt(db);
}

StopFlag::Watch::Watch(StopFlag* flag, sqlite3* db) : m_flag(flag), m_db(db) {
    if (!m_flag)
        return;
    const std::lock_guard<std::mutex> lock(m_flag->m_mutex);
    m_flag->m_watched.push_back(db);
}

StopFlag::Watch::~Watch() {
    if (!m_flag)
        return;
    const std::lock_guard<std::mutex> lock(m_flag->m_mutex);
    auto& watched = m_flag->m_watched;
    watched.erase(std::find(watched.begin(), watched.end(), m_db));
}
