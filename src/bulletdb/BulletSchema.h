#pragma once
// The table `Bullets` of a SQLite file, for BulletTable and its cursors: creating it,
// checking that an opened file has its columns, making a file fit for changes
// (intact, with a stable key and every column), and the statements that name its columns.
#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "BulletRecord.h"
#include "Result.h"
#include "SqliteStatement.h"

namespace tarnwick::bulletdb {

// The key column: a number given to a row when it is stored and never given again,
// not even after the row is deleted (SQLite reuses plain row ids). It is no field of
// the bullet (the windows and CSV files do not show it); a cursor uses it to know that
// the row it is about to change is still the row it read. The rows' stored order is
// the key's order.
inline constexpr const char* kKeyColumn = "BulletId";

// Creates the table `Bullets` with the key and the twelve columns in an open database
// (numeric columns refuse text that is not a number, so such a value is reported by
// the engine instead of being stored).
Status createBulletTable(sqlite3* db);

// The file of the connection's main database, for messages.
std::string databaseFile(sqlite3* db);

// Refuses a file without the table `Bullets` or whose table lacks one of the ten
// columns older files have; the message names the missing columns. The G7 and length
// columns may be missing (see selectColumnList).
Status checkBulletColumns(sqlite3* db);

// Run before every change (Add, Edit, Delete, import). Refuses a file that fails
// SQLite's quick check, naming the file and the first fault found. A table made
// before the key existed is given it: every row is kept, in its order, with its row
// id as its key; one made before the G7 or the length column gains it, with no value in
// every row.
// A file that cannot be written is left as it is.
Status prepareForChanges(sqlite3* db);

// A name quoted for a statement (inner quotes doubled).
std::string quoted(std::string_view name);
// The twelve columns, quoted, separated by commas.
std::string quotedColumnList();
// The columns for reading a row of the connection's table: as quotedColumnList, with
// NULL in place of an optional column the file does not have yet.
std::string selectColumnList(sqlite3* db);

// One value to store: none, a text (a numeric column converts a number text itself and
// refuses any other), or a number.
using ColumnValue = std::variant<std::monostate, std::string, double>;
using RowValues = std::array<ColumnValue, kFieldCount>;

// Binds the twelve values to the parameters ?1 to ?12, in column order.
void bindRow(Statement& stmt, const RowValues& row);

// The INSERT of one bullet row, prepared once for as many rows as come. Every row
// stored anywhere goes through it.
class RowInsert {
public:
    explicit RowInsert(sqlite3* db);
    Status insert(const RowValues& row);

private:
    sqlite3* db_;
    Statement stmt_;
};

}  // namespace tarnwick::bulletdb
