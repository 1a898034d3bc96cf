#include "BulletSchema.h"

#include <sqlite3.h>

#include <vector>

#include "SqliteStatement.h"

namespace tarnwick::bulletdb {

namespace {

DbError engineError(sqlite3* db) { return DbError{sqlite3_errcode(db), sqlite3_errmsg(db)}; }

struct Column {
    std::string name;
    bool primaryKey = false;
};

// The columns of `Bullets` as the file declares them; empty when there is no such table.
DbResult readColumns(sqlite3* db, std::vector<Column>& columns) {
    columns.clear();
    Statement stmt(db, "SELECT name, pk FROM pragma_table_info('Bullets')");
    if (!stmt.prepared()) return engineError(db);
    int rc = SQLITE_ROW;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        columns.push_back({name ? name : "", sqlite3_column_int(stmt.get(), 1) != 0});
    }
    if (rc != SQLITE_DONE) return engineError(db);
    return std::nullopt;
}

bool hasKey(const std::vector<Column>& columns) {
    for (const Column& column : columns)
        if (column.primaryKey && sqlite3_stricmp(column.name.c_str(), kKeyColumn) == 0) return true;
    return false;
}

DbResult exec(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) return engineError(db);
    return std::nullopt;
}

// Rebuilds the table with the key in front of its columns. The table's own definition
// is kept (its types and constraints), so nothing it held is refused on the way; the
// key of each row is its row id, which is the stored order.
DbResult addKey(sqlite3* db, const std::vector<Column>& columns) {
    WriteTransaction transaction(db);
    if (!transaction.begun()) return engineError(db);
    std::vector<Column> now;
    if (DbResult error = readColumns(db, now)) return error;
    if (hasKey(now)) return std::nullopt;  // another program has just done it

    std::string definition;
    {
        Statement stmt(db, "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = 'Bullets' COLLATE NOCASE");
        if (!stmt.prepared()) return engineError(db);
        if (stmt.step() != SQLITE_ROW) return engineError(db);
        const auto* sql = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        definition = sql ? sql : "";
    }
    const std::size_t open = definition.find('(');
    if (open == std::string::npos) return DbError{SQLITE_ERROR, "the table Bullets has no column list"};
    std::string list;
    for (const Column& column : columns) list += ", " + quoted(column.name);
    const std::string rebuilt = "\"Bullets with key\"";
    if (DbResult error = exec(db, "CREATE TABLE " + rebuilt + " (" + quoted(kKeyColumn) +
                                      " INTEGER PRIMARY KEY AUTOINCREMENT, " + definition.substr(open + 1)))
        return error;
    if (DbResult error = exec(db, "INSERT INTO " + rebuilt + " (" + quoted(kKeyColumn) + list + ") SELECT rowid" +
                                      list + " FROM Bullets ORDER BY rowid"))
        return error;
    if (DbResult error = exec(db, "DROP TABLE Bullets")) return error;
    if (DbResult error = exec(db, "ALTER TABLE " + rebuilt + " RENAME TO Bullets")) return error;
    if (!transaction.commit()) return engineError(db);
    return std::nullopt;
}

// SQLite's quick check of the whole file: "ok", or the first fault it found.
DbResult quickCheck(sqlite3* db, std::string& verdict) {
    Statement stmt(db, "PRAGMA quick_check(1)");
    if (!stmt.prepared()) return engineError(db);
    if (stmt.step() != SQLITE_ROW) return engineError(db);
    const auto* result = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    verdict = result ? result : "";
    return std::nullopt;
}

}  // namespace

DbResult createBulletTable(sqlite3* db) {
    std::string sql = "CREATE TABLE Bullets (" + quoted(kKeyColumn) + " INTEGER PRIMARY KEY AUTOINCREMENT";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const std::string column = quoted(kColumnNames[i]);
        if (isNumeric(i))
            // Two values, not the three allowed ones: SQLite tests a list of two by plain
            // comparisons, while a longer one costs a temporary index on every insert.
            sql += ", " + column + " REAL CONSTRAINT \"" + kColumnNames[i] + " must be a number\" CHECK (typeof(" +
                   column + ") NOT IN ('text', 'blob'))";
        else
            sql += ", " + column + " TEXT";
    }
    sql += ")";
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return std::nullopt;
    DbError error{sqlite3_errcode(db), message ? message : "cannot create the table Bullets"};
    sqlite3_free(message);
    return error;
}

std::string databaseFile(sqlite3* db) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? name : "";
}

DbResult checkBulletColumns(sqlite3* db) {
    std::vector<Column> columns;
    if (DbResult error = readColumns(db, columns)) return error;
    if (columns.empty()) return DbError{SQLITE_ERROR, "the file has no table Bullets"};
    std::string missing;
    for (const char* wanted : kColumnNames) {
        bool found = false;
        for (const Column& column : columns) found = found || sqlite3_stricmp(column.name.c_str(), wanted) == 0;
        if (!found) missing += (missing.empty() ? "" : ", ") + quoted(wanted);
    }
    if (missing.empty()) return std::nullopt;
    return DbError{SQLITE_ERROR, "the table Bullets lacks the columns " + missing};
}

DbResult prepareForChanges(sqlite3* db) {
    const auto named = [db](const char* what, const DbError& error) {
        return DbError{error.code, "The bullet database " + databaseFile(db) + " " + what +
                                       ", so nothing is changed in it: " + error.description};
    };
    std::string verdict;
    if (DbResult error = quickCheck(db, verdict)) return named("cannot be checked", *error);
    if (verdict != "ok")
        return DbError{SQLITE_CORRUPT, "The bullet database " + databaseFile(db) +
                                           " is damaged, so nothing is changed in it (SQLite's quick check: " +
                                           verdict + ")."};
    std::vector<Column> columns;
    if (DbResult error = readColumns(db, columns)) return named("cannot be checked", *error);
    if (hasKey(columns) || sqlite3_db_readonly(db, "main") == 1) return std::nullopt;
    if (DbResult error = addKey(db, columns)) return named("cannot be given its key column", *error);
    return std::nullopt;
}

}  // namespace tarnwick::bulletdb
