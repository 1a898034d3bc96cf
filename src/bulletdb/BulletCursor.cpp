#include "BulletCursor.h"

#include <sqlite3.h>
#include <cmath>

#include "NumberText.h"
#include "SqliteStatement.h"
#include "Utf8Text.h"

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

const std::string& insertRowSql() {
    static const std::string sql = [] {
        std::string text = "INSERT INTO Bullets (" + quotedColumnList() + ") VALUES (?1";
        for (std::size_t i = 2; i <= kFieldCount; ++i) text += ", ?" + std::to_string(i);
        return text + ")";
    }();
    return sql;
}

namespace {

// How long a cursor waits for another program's write lock before reporting.
constexpr int kBusyTimeoutMs = 2000;

const std::string& selectRow() {
    static const std::string sql = "SELECT " + quotedColumnList() + " FROM Bullets WHERE rowid = ?1";
    return sql;
}

DbError ownError(int code, std::string description) { return DbError{code, std::move(description)}; }

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
    stored_ = StoredRow{};
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
    // A double-quoted name that is no column is an error, never a text literal.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    registerCaseFolding(db);
    db_ = db;
    // Opening is lazy in SQLite: check the table's columns and read one row now, so that
    // a file that is no database or lacks the table or a column is refused here rather
    // than on a move.
    DbResult error = checkBulletColumns(db_);
    if (!error) {
        Statement probe(db_, "SELECT rowid, " + quotedColumnList() + " FROM Bullets LIMIT 1");
        const int step = probe.prepared() ? probe.step() : SQLITE_ERROR;
        if (!probe.prepared() || (step != SQLITE_ROW && step != SQLITE_DONE)) error = engineError();
    }
    if (error) {
        close();
        return error;
    }
    return moveFirst();
}

FieldTexts BulletCursor::textsOf(const StoredRow& row) {
    FieldTexts texts{};
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (row[i].type == SQLITE_FLOAT)
            texts[i] = plainText(row[i].number);
        else if (row[i].type != SQLITE_NULL)
            texts[i] = row[i].bytes;
    }
    return texts;
}

DbResult BulletCursor::read(std::int64_t id, StoredRow& row, bool& exists) const {
    exists = false;
    Statement stmt(db_, selectRow());
    if (!stmt.prepared()) return engineError();
    stmt.bindInt64(1, id);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) return engineError();
    exists = true;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int column = static_cast<int>(i);
        StoredValue& value = row[i];
        value = StoredValue{};
        value.type = sqlite3_column_type(stmt.get(), column);
        if (value.type == SQLITE_INTEGER || value.type == SQLITE_FLOAT) {
            value.type = SQLITE_FLOAT;
            value.number = sqlite3_column_double(stmt.get(), column);
        } else if (value.type != SQLITE_NULL) {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt.get(), column));
            value.bytes.assign(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), column)));
        }
    }
    return std::nullopt;
}

DbResult BulletCursor::load(std::int64_t id, bool& exists) {
    StoredRow row;
    if (DbResult error = read(id, row, exists)) return error;
    if (!exists) return std::nullopt;
    currentId_ = id;
    stored_ = std::move(row);
    current_ = textsOf(stored_);
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

DbResult BulletCursor::moveToNeighbour(std::int64_t gone) {
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid > ?1", "ASC", gone, moved)) return error;
    if (!moved) {
        if (DbResult error = moveTo(" WHERE rowid < ?1", "DESC", gone, moved)) return error;
    }
    if (!moved) clearCurrent();
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
    // From the row on view, even if discarding a pending edit has just found it deleted
    // and moved on.
    const std::optional<std::int64_t> from = currentId_;
    cancelPending();
    if (!from) return moveFirst();
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid > ?1", "ASC", from, moved)) return error;
    if (!moved) return refresh();  // on the last row: stay, but show what is stored now
    return std::nullopt;
}

DbResult BulletCursor::movePrevious() {
    const std::optional<std::int64_t> from = currentId_;
    cancelPending();
    if (!from) return moveFirst();
    bool moved = false;
    if (DbResult error = moveTo(" WHERE rowid < ?1", "DESC", from, moved)) return error;
    if (!moved) return refresh();
    return std::nullopt;
}

DbResult BulletCursor::refresh() {
    if (!db_ || pending_ != Pending::None) return std::nullopt;
    if (!currentId_) return moveFirst();
    bool exists = false;
    if (DbResult error = load(*currentId_, exists)) return error;
    if (!exists) return moveToNeighbour(*currentId_);
    return std::nullopt;
}

DbResult BulletCursor::returnTo(std::optional<std::int64_t> mark) {
    cancelPending();
    if (!db_) return std::nullopt;
    if (!mark) return moveFirst();
    bool exists = false;
    if (DbResult error = load(*mark, exists)) return error;
    if (exists) return std::nullopt;
    return moveToNeighbour(*mark);
}

DbResult BulletCursor::find(Field field, const std::string& text, std::optional<std::int64_t> after, bool& found) {
    found = false;
    if (!db_) return std::nullopt;
    std::string sql = "SELECT rowid FROM Bullets WHERE " + quoted(columnName(field)) + " = ?1 COLLATE " + kFoldCollation;
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

DbResult BulletCursor::startChange() {
    if (!db_) return engineError();
    if (readOnly()) return ownError(kErrorReadOnly, sqlite3_errstr(SQLITE_READONLY));
    return prepareForChanges(db_);
}

DbResult BulletCursor::addNew() {
    if (DbResult refused = startChange()) return refused;
    cancelPending();
    beforeAdd_ = currentId_;
    pending_ = Pending::Add;
    current_ = FieldTexts{};
    return std::nullopt;
}

DbResult BulletCursor::edit() {
    if (DbResult refused = startChange()) return refused;
    cancelPending();
    if (!currentId_) return ownError(kErrorNoCurrentRow, "No current record.");
    const std::int64_t id = *currentId_;
    bool exists = false;
    if (DbResult error = load(id, exists)) return error;
    if (!exists) {
        if (DbResult error = moveToNeighbour(id)) return error;
        return ownError(kErrorDeletedElsewhere, "Another program has deleted this bullet.");
    }
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
        if (!load(*currentId_, exists) && !exists) moveToNeighbour(*currentId_);
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
    if (DbResult error = store(texts)) return error;

    const std::int64_t inserted = sqlite3_last_insert_rowid(db_);
    const bool added = pending_ == Pending::Add;
    pending_ = Pending::None;
    std::optional<std::int64_t> show = added ? beforeAdd_ : currentId_;
    beforeAdd_.reset();
    if (!show) show = inserted;  // the table was empty before the add
    return returnTo(show);
}

DbResult BulletCursor::store(const std::array<std::string, kFieldCount>& texts) {
    // The check that the row is still the one read and the write happen under one lock,
    // so no other program can change the row in between.
    WriteTransaction transaction(db_);
    if (!transaction.begun()) return engineError();
    std::string sql;
    if (pending_ == Pending::Add) {
        sql = insertRowSql();
    } else {
        StoredRow now;
        bool exists = false;
        if (DbResult error = read(*currentId_, now, exists)) return error;
        if (!exists) return ownError(kErrorDeletedElsewhere, "Another program has deleted this bullet.");
        if (now != stored_) return ownError(kErrorChangedElsewhere, "Another program has changed this bullet.");
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
    if (!transaction.commit()) return engineError();
    return std::nullopt;
}

DbResult BulletCursor::keepPendingOverStored() {
    if (pending_ != Pending::Edit) return ownError(kErrorNothingPending, "No edit is pending.");
    StoredRow now;
    bool exists = false;
    if (DbResult error = read(*currentId_, now, exists)) return error;
    if (exists) {
        stored_ = std::move(now);
        current_ = textsOf(stored_);
        return std::nullopt;
    }
    // The row is gone: the texts become a new row, and after it is stored the window
    // shows the deleted row's neighbour.
    pending_ = Pending::Add;
    beforeAdd_ = currentId_;
    current_ = FieldTexts{};
    return std::nullopt;
}

DbResult BulletCursor::remove() {
    if (DbResult refused = startChange()) return refused;
    cancelPending();
    if (!currentId_) return ownError(kErrorNoCurrentRow, "No current record.");
    const std::int64_t id = *currentId_;
    {
        WriteTransaction transaction(db_);
        if (!transaction.begun()) return engineError();
        StoredRow now;
        bool exists = false;
        if (DbResult error = read(id, now, exists)) return error;
        if (exists && now != stored_) {
            DbError changed = ownError(kErrorChangedElsewhere, "Another program has changed this bullet.");
            if (DbResult error = load(id, exists)) return error;
            return changed;
        }
        if (!exists) {
            transaction.commit();
            if (DbResult error = moveToNeighbour(id)) return error;
            return ownError(kErrorDeletedElsewhere, "Another program has deleted this bullet.");
        }
        Statement stmt(db_, "DELETE FROM Bullets WHERE rowid = ?1");
        if (!stmt.prepared()) return engineError();
        stmt.bindInt64(1, id);
        if (stmt.step() != SQLITE_DONE) return engineError();
        if (!transaction.commit()) return engineError();
    }
    return moveToNeighbour(id);
}

}  // namespace tarnwick::bulletdb
