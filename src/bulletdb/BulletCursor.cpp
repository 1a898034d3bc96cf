#include "BulletCursor.h"

#include <sqlite3.h>
#include <cmath>

#include "NumberText.h"
#include "SqliteStatement.h"

namespace tarnwick::bulletdb {

std::string quoted(const char* name) { return std::string("\"") + name + "\""; }

std::string quotedColumnList() {
    std::string list;
    for (const char* name : kColumnNames) {
        if (!list.empty()) list += ", ";
        list += quoted(name);
    }
    return list;
}

DbResult createBulletTable(sqlite3* db) {
    std::string sql = "CREATE TABLE Bullets (";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const std::string column = quoted(kColumnNames[i]);
        if (i) sql += ", ";
        if (isNumeric(i))
            sql += column + " REAL CONSTRAINT \"" + kColumnNames[i] + " must be a number\" CHECK (typeof(" + column +
                   ") IN ('real', 'integer', 'null'))";
        else
            sql += column + " TEXT";
    }
    sql += ")";
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return std::nullopt;
    DbError error{sqlite3_errcode(db), message ? message : "cannot create the table Bullets"};
    sqlite3_free(message);
    return error;
}

namespace {

// How long a cursor waits for another program's write lock before reporting.
constexpr int kBusyTimeoutMs = 2000;

const std::string& selectRow() {
    static const std::string sql = "SELECT " + quotedColumnList() + " FROM Bullets WHERE rowid = ?1";
    return sql;
}

DbError ownError(int code, const char* description) { return DbError{code, description}; }

}  // namespace

BulletCursor::~BulletCursor() { close(); }

void BulletCursor::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    pending_ = Pending::None;
    beforeAdd_.reset();
    clearCurrent();
}

void BulletCursor::clearCurrent() {
    currentId_.reset();
    current_ = FieldTexts{};
}

bool BulletCursor::readOnly() const { return !db_ || openedReadOnly_ || sqlite3_db_readonly(db_, "main") == 1; }

bool BulletCursor::fileMoved() const {
    if (!db_) return false;
    int moved = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK) return false;
    return moved != 0;
}

DbResult BulletCursor::engineError() const {
    if (!db_) return ownError(kErrorNotOpen, "The bullet database is not open.");
    return DbError{sqlite3_errcode(db_), sqlite3_errmsg(db_)};
}

DbResult BulletCursor::open(const std::string& path, Access access) {
    close();
    path_ = path;
    openedReadOnly_ = access == Access::ReadOnly;
    const int flags = openedReadOnly_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        DbError error{rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)};
        sqlite3_close_v2(db);
        return error;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    db_ = db;
    // Opening is lazy in SQLite: read the table once so that a file that is no database,
    // or lacks the table or one of its columns, is refused here rather than on a move.
    {
        Statement probe(db_, "SELECT rowid, " + quotedColumnList() + " FROM Bullets LIMIT 1");
        const int step = probe.prepared() ? probe.step() : SQLITE_ERROR;
        if (!probe.prepared() || (step != SQLITE_ROW && step != SQLITE_DONE)) {
            DbResult error = engineError();
            close();
            return error;
        }
    }
    return moveFirst();
}

DbResult BulletCursor::load(std::int64_t id, bool& exists) {
    exists = false;
    Statement stmt(db_, selectRow());
    if (!stmt.prepared()) return engineError();
    stmt.bindInt64(1, id);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) return engineError();
    exists = true;
    FieldTexts row{};
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int column = static_cast<int>(i);
        switch (sqlite3_column_type(stmt.get(), column)) {
        case SQLITE_NULL: break;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: row[i] = plainText(sqlite3_column_double(stmt.get(), column)); break;
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), column));
            row[i] = std::string(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), column)));
        }
        }
    }
    currentId_ = id;
    current_ = std::move(row);
    return std::nullopt;
}

DbResult BulletCursor::moveTo(const char* where, const char* order, std::optional<std::int64_t> id, bool& moved) {
    moved = false;
    if (!db_) return std::nullopt;
    std::string sql = std::string("SELECT rowid FROM Bullets") + where + " ORDER BY rowid " + order + " LIMIT 1";
    Statement stmt(db_, sql);
    if (!stmt.prepared()) return engineError();
    if (id) stmt.bindInt64(1, *id);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) return engineError();
    const std::int64_t target = sqlite3_column_int64(stmt.get(), 0);
    bool exists = false;
    if (DbResult error = load(target, exists)) return error;
    moved = exists;
    return std::nullopt;
}

DbResult BulletCursor::moveFirst() {
    cancelPending();
    bool moved = false;
    if (DbResult error = moveTo("", "ASC", std::nullopt, moved)) return error;
    if (!moved) clearCurrent();  // the table is empty
    return std::nullopt;
}

DbResult BulletCursor::moveLast() {
    cancelPending();
    bool moved = false;
    if (DbResult error = moveTo("", "DESC", std::nullopt, moved)) return error;
    if (!moved) clearCurrent();
    return std::nullopt;
}

DbResult BulletCursor::moveNext() {
    cancelPending();
    if (!currentId_) return moveFirst();
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid > ?1", "ASC", currentId_, moved)) return error;
    if (!moved) return refresh();  // on the last row: stay, but show what is stored now
    return std::nullopt;
}

DbResult BulletCursor::movePrevious() {
    cancelPending();
    if (!currentId_) return moveFirst();
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid < ?1", "DESC", currentId_, moved)) return error;
    if (!moved) return refresh();
    return std::nullopt;
}

DbResult BulletCursor::refresh() {
    if (!db_ || pending_ == Pending::Add) return std::nullopt;
    if (!currentId_) return moveFirst();
    bool exists = false;
    if (DbResult error = load(*currentId_, exists)) return error;
    if (!exists) return returnTo(currentId_);
    return std::nullopt;
}

DbResult BulletCursor::returnTo(std::optional<std::int64_t> mark) {
    cancelPending();
    if (!db_) return std::nullopt;
    if (!mark) return moveFirst();
    bool exists = false;
    if (DbResult error = load(*mark, exists)) return error;
    if (exists) return std::nullopt;
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid > ?1", "ASC", mark, moved)) return error;
    if (!moved) {
        if (DbResult error = moveTo(" WHERE rowid < ?1", "DESC", mark, moved)) return error;
    }
    if (!moved) clearCurrent();
    return std::nullopt;
}

DbResult BulletCursor::find(Field field, const std::string& text, std::optional<std::int64_t> after, bool& found) {
    found = false;
    if (!db_) return std::nullopt;
    std::string sql = "SELECT rowid FROM Bullets WHERE " + quoted(columnName(field)) + " = ?1 COLLATE NOCASE";
    if (after) sql += " AND rowid > ?2";
    sql += " ORDER BY rowid LIMIT 1";
    Statement stmt(db_, sql);
    if (!stmt.prepared()) return engineError();
    stmt.bindText(1, text);
    if (after) stmt.bindInt64(2, *after);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) return engineError();
    const std::int64_t id = sqlite3_column_int64(stmt.get(), 0);
    cancelPending();
    bool exists = false;
    if (DbResult error = load(id, exists)) return error;
    found = exists;
    return std::nullopt;
}

DbResult BulletCursor::findFirst(Field field, const std::string& text, bool& found) {
    return find(field, text, std::nullopt, found);
}

DbResult BulletCursor::findNext(Field field, const std::string& text, bool& found) {
    // With no current row (an empty table, or an add pending on one) the search starts
    // at the top.
    const std::optional<std::int64_t> after =
        pending_ == Pending::Add ? beforeAdd_ : currentId_;
    if (!after) return find(field, text, std::nullopt, found);
    return find(field, text, after, found);
}

DbResult BulletCursor::addNew() {
    if (!db_) return engineError();
    if (readOnly()) return ownError(kErrorReadOnly, sqlite3_errstr(SQLITE_READONLY));
    cancelPending();
    beforeAdd_ = currentId_;
    pending_ = Pending::Add;
    current_ = FieldTexts{};
    return std::nullopt;
}

DbResult BulletCursor::edit() {
    if (!db_) return engineError();
    if (readOnly()) return ownError(kErrorReadOnly, sqlite3_errstr(SQLITE_READONLY));
    cancelPending();
    if (!currentId_) return ownError(kErrorNoCurrentRow, "No current record.");
    pending_ = Pending::Edit;
    return std::nullopt;
}

void BulletCursor::cancelPending() {
    if (pending_ == Pending::None) return;
    const Pending was = pending_;
    pending_ = Pending::None;
    if (was == Pending::Add) {
        currentId_ = beforeAdd_;
        beforeAdd_.reset();
    }
    // Show the row as stored again; a failure here leaves the blank or edited texts,
    // which the next move replaces.
    if (currentId_) {
        bool exists = false;
        if (!load(*currentId_, exists) && !exists) clearCurrent();
    } else {
        current_ = FieldTexts{};
    }
}

DbResult BulletCursor::update(const std::array<std::string, kFieldCount>& texts) {
    if (pending_ == Pending::None) return ownError(kErrorNothingPending, "Update without Add or Edit.");
    if (!db_) return engineError();
    // The engine would store a number beyond the range of a double as infinity, a value
    // no window can use; it is refused like the column's check refuses other text.
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (isNumeric(i) && std::isinf(tarnwick::readLenient(texts[i])))
            return DbError{SQLITE_CONSTRAINT, std::string(kColumnNames[i]) + " is too large a number to be stored."};
    std::string sql;
    if (pending_ == Pending::Add) {
        sql = "INSERT INTO Bullets (" + quotedColumnList() + ") VALUES (?1";
        for (std::size_t i = 2; i <= kFieldCount; ++i) sql += ", ?" + std::to_string(i);
        sql += ")";
    } else {
        sql = "UPDATE Bullets SET ";
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            if (i) sql += ", ";
            sql += quoted(kColumnNames[i]) + " = ?" + std::to_string(i + 1);
        }
        sql += " WHERE rowid = ?11";
    }
    Statement stmt(db_, sql);
    if (!stmt.prepared()) return engineError();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int position = static_cast<int>(i + 1);
        // Numeric columns convert number texts themselves and refuse anything else.
        if (isNumeric(i) && texts[i].empty())
            stmt.bindNull(position);
        else
            stmt.bindText(position, texts[i]);
    }
    if (pending_ == Pending::Edit) stmt.bindInt64(11, *currentId_);
    if (stmt.step() != SQLITE_DONE) return engineError();
    if (pending_ == Pending::Edit && sqlite3_changes(db_) == 0)
        return ownError(kErrorNoCurrentRow, "The row being edited has been deleted meanwhile.");

    const std::int64_t inserted = sqlite3_last_insert_rowid(db_);
    const bool added = pending_ == Pending::Add;
    pending_ = Pending::None;
    std::optional<std::int64_t> show = added ? beforeAdd_ : currentId_;
    beforeAdd_.reset();
    if (!show) show = inserted;  // the table was empty before the add
    return returnTo(show);
}

DbResult BulletCursor::remove() {
    if (!db_) return engineError();
    if (readOnly()) return ownError(kErrorReadOnly, sqlite3_errstr(SQLITE_READONLY));
    cancelPending();
    if (!currentId_) return ownError(kErrorNoCurrentRow, "No current record.");
    const std::int64_t deleted = *currentId_;
    {
        Statement stmt(db_, "DELETE FROM Bullets WHERE rowid = ?1");
        if (!stmt.prepared()) return engineError();
        stmt.bindInt64(1, deleted);
        if (stmt.step() != SQLITE_DONE) return engineError();
    }
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid > ?1", "ASC", deleted, moved)) return error;
    if (!moved) {
        if (DbResult error = moveTo(" WHERE rowid < ?1", "DESC", deleted, moved)) return error;
    }
    if (!moved) clearCurrent();
    return std::nullopt;
}

}  // namespace tarnwick::bulletdb
