#include "BulletSchema.h"

#include <sqlite3.h>

#include <vector>

namespace tarnwick::bulletdb {

std::string quoted(std::string_view name) {
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string quotedColumnList() {
    std::string list;
    for (const char* name : kColumnNames) {
        if (!list.empty()) list += ", ";
        list += quoted(name);
    }
    return list;
}

void bindRow(Statement& stmt, const RowValues& row) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int position = static_cast<int>(i + 1);
        if (const auto* text = std::get_if<std::string>(&row[i]))
            stmt.bindText(position, *text);
        else if (const auto* number = std::get_if<double>(&row[i]))
            stmt.bindDouble(position, *number);
        else
            stmt.bindNull(position);
    }
}

namespace {

const std::string& insertRowSql() {
    static const std::string sql = [] {
        std::string text = "INSERT INTO Bullets (" + quotedColumnList() + ") VALUES (?1";
        for (std::size_t i = 2; i <= kFieldCount; ++i) text += ", ?" + std::to_string(i);
        return text + ")";
    }();
    return sql;
}

}  // namespace

RowInsert::RowInsert(sqlite3* db) : db_(db), stmt_(db, insertRowSql()) {}

Status RowInsert::insert(const RowValues& row) {
    if (!stmt_.prepared()) return engineError(db_);
    stmt_.reset();
    bindRow(stmt_, row);
    if (stmt_.step() != SQLITE_DONE) return engineError(db_);
    return {};
}

namespace {

struct Column {
    std::string name;
    bool primaryKey = false;
};

// The columns of `Bullets` as the file declares them; empty when there is no such table.
Result<std::vector<Column>> readColumns(sqlite3* db) {
    std::vector<Column> columns;
    Statement stmt(db, "SELECT name, pk FROM pragma_table_info('Bullets')");
    if (!stmt.prepared()) return engineError(db);
    int rc = SQLITE_ROW;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        columns.push_back({name ? name : "", sqlite3_column_int(stmt.get(), 1) != 0});
    }
    if (rc != SQLITE_DONE) return engineError(db);
    return columns;
}

bool hasKey(const std::vector<Column>& columns) {
    for (const Column& column : columns)
        if (column.primaryKey && sqlite3_stricmp(column.name.c_str(), kKeyColumn) == 0) return true;
    return false;
}

Status exec(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) return engineError(db);
    return {};
}

// Rebuilds the table with the key in front of its columns. The table's own definition
// is kept (its types and constraints), so nothing it held is refused on the way; the
// key of each row is its row id, which is the stored order.
Status addKey(sqlite3* db, const std::vector<Column>& columns) {
    Transaction transaction(db);
    if (!transaction.started()) return transaction.started();
    const Result<std::vector<Column>> now = readColumns(db);
    if (!now) return statusOf(now);
    if (hasKey(*now)) return {};  // another program has just done it

    std::string definition;
    {
        Statement stmt(db, "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = 'Bullets' COLLATE NOCASE");
        if (!stmt.prepared()) return engineError(db);
        if (stmt.step() != SQLITE_ROW) return engineError(db);
        const auto* sql = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        definition = sql ? sql : "";
    }
    const std::size_t open = definition.find('(');
    if (open == std::string::npos) return Error{"the table Bullets has no column list", SQLITE_ERROR};
    std::string list;
    for (const Column& column : columns) list += ", " + quoted(column.name);
    const std::string rebuilt = "\"Bullets with key\"";
    for (const std::string& step :
         {"CREATE TABLE " + rebuilt + " (" + quoted(kKeyColumn) + " INTEGER PRIMARY KEY AUTOINCREMENT, " +
              definition.substr(open + 1),
          "INSERT INTO " + rebuilt + " (" + quoted(kKeyColumn) + list + ") SELECT rowid" + list +
              " FROM Bullets ORDER BY rowid",
          std::string("DROP TABLE Bullets"), "ALTER TABLE " + rebuilt + " RENAME TO Bullets"})
        if (Status done = exec(db, step); !done) return done;
    return transaction.commit();
}

// The definition of one column as a new table declares it.
std::string columnDefinition(std::size_t i) {
    const std::string column = quoted(kColumnNames[i]);
    if (!isNumeric(i)) return column + " TEXT";
    // Two values, not the three allowed ones: SQLite tests a list of two by plain
    // comparisons, while a longer one costs a temporary index on every insert.
    return column + " REAL CONSTRAINT \"" + kColumnNames[i] + " must be a number\" CHECK (typeof(" + column +
           ") NOT IN ('text', 'blob'))";
}

bool hasColumn(const std::vector<Column>& columns, const char* name) {
    for (const Column& column : columns)
        if (sqlite3_stricmp(column.name.c_str(), name) == 0) return true;
    return false;
}

// Gives a table made before an optional column that column, with no value in every row.
Status addOptionalColumn(sqlite3* db, std::size_t i) {
    Transaction transaction(db);
    if (!transaction.started()) return transaction.started();
    const Result<std::vector<Column>> now = readColumns(db);
    if (!now) return statusOf(now);
    if (hasColumn(*now, kColumnNames[i])) return {};  // another program has just done it
    if (Status added = exec(db, "ALTER TABLE Bullets ADD COLUMN " + columnDefinition(i)); !added) return added;
    return transaction.commit();
}

// SQLite's quick check of the whole file: "ok", or the first fault it found.
Result<std::string> quickCheck(sqlite3* db) {
    Statement stmt(db, "PRAGMA quick_check(1)");
    if (!stmt.prepared()) return engineError(db);
    if (stmt.step() != SQLITE_ROW) return engineError(db);
    const auto* result = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    return std::string(result ? result : "");
}

}  // namespace

Status createBulletTable(sqlite3* db) {
    std::string sql = "CREATE TABLE Bullets (" + quoted(kKeyColumn) + " INTEGER PRIMARY KEY AUTOINCREMENT";
    for (std::size_t i = 0; i < kFieldCount; ++i) sql += ", " + columnDefinition(i);
    sql += ")";
    return exec(db, sql);
}

std::string databaseFile(sqlite3* db) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? name : "";
}

Status checkBulletColumns(sqlite3* db) {
    const Result<std::vector<Column>> columns = readColumns(db);
    if (!columns) return statusOf(columns);
    if (columns->empty()) return Error{"the file has no table Bullets", SQLITE_ERROR};
    std::string missing;
    for (std::size_t i = 0; i < kLegacyFieldCount; ++i)
        if (!hasColumn(*columns, kColumnNames[i])) missing += (missing.empty() ? "" : ", ") + quoted(kColumnNames[i]);
    if (missing.empty()) return {};
    return Error{"the table Bullets lacks the columns " + missing, SQLITE_ERROR};
}

Status prepareForChanges(sqlite3* db) {
    const auto refused = [db](const std::string& what, const std::string& message, int code) {
        return Status(Error{"The bullet database " + databaseFile(db) + " " + what +
                                ", so nothing is changed in it: " + message,
                            code});
    };
    const Result<std::string> verdict = quickCheck(db);
    if (!verdict) return refused("cannot be checked", verdict.error(), verdict.errorCode());
    if (*verdict != "ok")
        return Error{"The bullet database " + databaseFile(db) +
                         " is damaged, so nothing is changed in it (SQLite's quick check: " + *verdict + ").",
                     SQLITE_CORRUPT};
    const Result<std::vector<Column>> columns = readColumns(db);
    if (!columns) return refused("cannot be checked", columns.error(), columns.errorCode());
    if (sqlite3_db_readonly(db, "main") == 1) return {};
    if (!hasKey(*columns))
        if (Status keyed = addKey(db, *columns); !keyed)
            return refused("cannot be given its key column", keyed.error(), keyed.errorCode());
    for (std::size_t i = kLegacyFieldCount; i < kFieldCount; ++i)
        if (!hasColumn(*columns, kColumnNames[i]))
            if (Status added = addOptionalColumn(db, i); !added)
                return refused("cannot be given its column " + quoted(kColumnNames[i]), added.error(), added.errorCode());
    return {};
}

std::string selectColumnList(sqlite3* db) {
    const Result<std::vector<Column>> columns = readColumns(db);
    // Without the list the statement names every column, and its failure is reported.
    if (!columns) return quotedColumnList();
    std::string list;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        list += (i ? ", " : "") +
                (i < kLegacyFieldCount || hasColumn(*columns, kColumnNames[i]) ? quoted(kColumnNames[i]) : std::string("NULL"));
    return list;
}

}  // namespace tarnwick::bulletdb
