#pragma once

struct sqlite3;

// Brings an older Trainbook database up to the current version (Schema::Version), step by
// step. Each step runs in one transaction that also sets the new user_version, so a crash
// or a failure leaves the file at the old version or the new one, never between.
namespace Migration {

// Runs the steps after `fromVersion`. The connection must have foreign keys off (tables are
// rebuilt under their names). Throws DbError naming what stopped it; the file then stays at
// the version of the last finished step.
void run(sqlite3* db, int fromVersion);

} // namespace Migration
