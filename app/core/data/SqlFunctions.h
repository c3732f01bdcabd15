#pragma once

struct sqlite3;

// The SQL functions the dialect relies on (Format, Year, Month, Now, date conversion),
// registered on every connection right after it opens.
namespace SqlFunctions {
void registerAll(sqlite3* db);
}
