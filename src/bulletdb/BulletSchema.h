#pragma once
// The table `Bullets` of a SQLite file: creating it, checking that an opened file has
// the ten columns, and making a file fit for changes (intact, with a stable key).
#include <string>

#include "BulletRecord.h"

struct sqlite3;

namespace tarnwick::bulletdb {

// The key column: a number given to a row when it is stored and never given again,
// not even after the row is deleted (SQLite reuses plain row ids). It is no field of
// the bullet (the windows and CSV files do not show it); a cursor uses it to know that
// the row it is about to change is still the row it read. The rows' stored order is
// the key's order.
inline constexpr const char* kKeyColumn = "BulletId";

// Creates the table `Bullets` with the key and the ten columns in an open database
// (numeric columns refuse text that is not a number, so such a value is reported by
// the engine instead of being stored).
DbResult createBulletTable(sqlite3* db);

// The file of the connection's main database, for messages.
std::string databaseFile(sqlite3* db);

// Refuses a file without the table `Bullets` or whose table lacks one of the ten
// columns; the description names the missing columns.
DbResult checkBulletColumns(sqlite3* db);

// Run before every change (Add, Edit, Delete, import). Refuses a file that fails
// SQLite's quick check, naming the file and the first fault found. A table made
// before the key existed is given it: every row is kept, in its order, with its row
// id as its key. A file that cannot be written is left as it is.
DbResult prepareForChanges(sqlite3* db);

}  // namespace tarnwick::bulletdb
