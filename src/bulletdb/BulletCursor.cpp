#include "BulletCursor.h"

#include <sqlite3.h>

#include <cmath>

#include "BulletSchema.h"
#include "NumberText.h"
#include "SqliteStatement.h"
#include "Utf8Text.h"

namespace tarnwick::bulletdb {

namespace {

std::string selectRow(sqlite3* db) { return "SELECT " + selectColumnList(db) + " FROM Bullets WHERE rowid = ?1"; }

const Error kChangedElsewhere{"Another program has changed this bullet.", kErrorChangedElsewhere};
const Error kDeletedElsewhere{"Another program has deleted this bullet.", kErrorDeletedElsewhere};
const Error kNoCurrentRow{"No current record.", kErrorNoCurrentRow};

// The texts of a pending row as the engine is to store them: empty texts store no value
// in numeric columns; the numeric columns convert number texts themselves and refuse
// anything else.
RowValues valuesOf(const std::array<std::string, kFieldCount>& texts) {
    RowValues row;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (!(isNumeric(i) && texts[i].empty())) row[i] = texts[i];
    return row;
}

}  // namespace

void BulletCursor::clearCurrent() {
    currentId_.reset();
    current_ = FieldTexts{};
    stored_ = StoredRow{};
}

Error BulletCursor::engineError() const {
    if (!db_) return Error{"The bullet database is not open.", kErrorNotOpen};
    return bulletdb::engineError(db_);
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

Result<std::optional<BulletCursor::StoredRow>> BulletCursor::read(std::int64_t id) const {
    Statement stmt(db_, selectRow(db_));
    if (!stmt.prepared()) return engineError();
    stmt.bindInt64(1, id);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return std::optional<StoredRow>();
    if (rc != SQLITE_ROW) return engineError();
    StoredRow row;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int column = static_cast<int>(i);
        StoredValue& value = row[i];
        value.type = sqlite3_column_type(stmt.get(), column);
        if (value.type == SQLITE_INTEGER || value.type == SQLITE_FLOAT) {
            value.type = SQLITE_FLOAT;
            value.number = sqlite3_column_double(stmt.get(), column);
        } else if (value.type != SQLITE_NULL) {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt.get(), column));
            value.bytes.assign(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), column)));
        }
    }
    return std::optional<StoredRow>(std::move(row));
}

Result<bool> BulletCursor::load(std::int64_t id) {
    Result<std::optional<StoredRow>> row = read(id);
    if (!row) return row.failure();
    if (!*row) return false;
    currentId_ = id;
    stored_ = std::move(**row);
    current_ = textsOf(stored_);
    return true;
}

Result<bool> BulletCursor::moveTo(const char* where, const char* order, std::optional<std::int64_t> id) {
    if (!db_) return false;
    std::string sql = std::string("SELECT rowid FROM Bullets") + where + " ORDER BY rowid " + order + " LIMIT 1";
    Statement stmt(db_, sql);
    if (!stmt.prepared()) return engineError();
    if (id) stmt.bindInt64(1, *id);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return false;
    if (rc != SQLITE_ROW) return engineError();
    return load(sqlite3_column_int64(stmt.get(), 0));
}

Status BulletCursor::moveToNeighbour(std::int64_t gone) {
    Result<bool> moved = moveTo(" WHERE rowid > ?1", "ASC", gone);
    if (moved && !*moved) moved = moveTo(" WHERE rowid < ?1", "DESC", gone);
    if (!moved) return statusOf(moved);
    if (!*moved) clearCurrent();
    return {};
}

Status BulletCursor::moveFirst() {
    cancelPending();
    const Result<bool> moved = moveTo("", "ASC", std::nullopt);
    if (!moved) return statusOf(moved);
    if (!*moved) clearCurrent();  // the table is empty
    return {};
}

Status BulletCursor::moveLast() {
    cancelPending();
    const Result<bool> moved = moveTo("", "DESC", std::nullopt);
    if (!moved) return statusOf(moved);
    if (!*moved) clearCurrent();
    return {};
}

Status BulletCursor::moveNext() {
    // From the row on view, even if discarding a pending edit has just found it deleted
    // and moved on.
    const std::optional<std::int64_t> from = currentId_;
    cancelPending();
    if (!from) return moveFirst();
    const Result<bool> moved = moveTo(" WHERE rowid > ?1", "ASC", from);
    if (!moved) return statusOf(moved);
    if (!*moved) return refresh();  // on the last row: stay, but show what is stored now
    return {};
}

Status BulletCursor::movePrevious() {
    const std::optional<std::int64_t> from = currentId_;
    cancelPending();
    if (!from) return moveFirst();
    const Result<bool> moved = moveTo(" WHERE rowid < ?1", "DESC", from);
    if (!moved) return statusOf(moved);
    if (!*moved) return refresh();
    return {};
}

Status BulletCursor::refresh() {
    if (!db_ || pending_ != Pending::None) return {};
    if (!currentId_) return moveFirst();
    const Result<bool> exists = load(*currentId_);
    if (!exists) return statusOf(exists);
    if (!*exists) return moveToNeighbour(*currentId_);
    return {};
}

Status BulletCursor::returnTo(std::optional<std::int64_t> mark) {
    cancelPending();
    if (!db_) return {};
    if (!mark) return moveFirst();
    const Result<bool> exists = load(*mark);
    if (!exists) return statusOf(exists);
    if (*exists) return {};
    return moveToNeighbour(*mark);
}

Result<bool> BulletCursor::find(Field field, const std::string& text, std::optional<std::int64_t> after) {
    if (!db_) return false;
    std::string sql = "SELECT rowid FROM Bullets WHERE " + quoted(columnName(field)) + " = ?1 COLLATE " + kFoldCollation;
    if (after) sql += " AND rowid > ?2";
    sql += " ORDER BY rowid LIMIT 1";
    Statement stmt(db_, sql);
    if (!stmt.prepared()) return engineError();
    stmt.bindText(1, text);
    if (after) stmt.bindInt64(2, *after);
    const int rc = stmt.step();
    if (rc == SQLITE_DONE) return false;
    if (rc != SQLITE_ROW) return engineError();
    const std::int64_t id = sqlite3_column_int64(stmt.get(), 0);
    cancelPending();
    return load(id);
}

Result<bool> BulletCursor::findFirst(Field field, const std::string& text) { return find(field, text, std::nullopt); }

Result<bool> BulletCursor::findNext(Field field, const std::string& text) {
    // With no current row (an empty table, or an add pending on one) the search starts
    // at the top.
    return find(field, text, pending_ == Pending::Add ? beforeAdd_ : currentId_);
}

Status BulletCursor::startChange() {
    if (!db_) return engineError();
    if (sqlite3_db_readonly(db_, "main") == 1) return Error{sqlite3_errstr(SQLITE_READONLY), kErrorReadOnly};
    return prepareForChanges(db_);
}

Status BulletCursor::addNew() {
    if (Status refused = startChange(); !refused) return refused;
    cancelPending();
    beforeAdd_ = currentId_;
    pending_ = Pending::Add;
    current_ = FieldTexts{};
    return {};
}

Status BulletCursor::edit() {
    if (Status refused = startChange(); !refused) return refused;
    cancelPending();
    if (!currentId_) return kNoCurrentRow;
    const std::int64_t id = *currentId_;
    const Result<bool> exists = load(id);
    if (!exists) return statusOf(exists);
    if (!*exists) {
        if (Status moved = moveToNeighbour(id); !moved) return moved;
        return kDeletedElsewhere;
    }
    pending_ = Pending::Edit;
    return {};
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
        const Result<bool> exists = load(*currentId_);
        if (exists && !*exists) (void)moveToNeighbour(*currentId_);
    } else {
        current_ = FieldTexts{};
    }
}

Status BulletCursor::update(const std::array<std::string, kFieldCount>& texts) {
    if (pending_ == Pending::None) return Error{"Update without Add or Edit.", kErrorNothingPending};
    if (!db_) return engineError();
    // The engine would store a number beyond the range of a double as infinity, a value
    // no window can use; it is refused like the column's check refuses other text.
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (isNumeric(i) && std::isinf(tarnwick::readLenient(texts[i])))
            return Error{std::string(kColumnNames[i]) + " is too large a number to be stored.", SQLITE_CONSTRAINT};
    if (Status stored = store(texts); !stored) return stored;

    const std::int64_t inserted = sqlite3_last_insert_rowid(db_);
    const bool added = pending_ == Pending::Add;
    pending_ = Pending::None;
    std::optional<std::int64_t> show = added ? beforeAdd_ : currentId_;
    beforeAdd_.reset();
    if (!show) show = inserted;  // the table was empty before the add
    return returnTo(show);
}

Status BulletCursor::store(const std::array<std::string, kFieldCount>& texts) {
    // The check that the row is still the one read and the write happen under one lock,
    // so no other program can change the row in between.
    Transaction transaction(db_);
    if (!transaction.started()) return transaction.started();
    if (pending_ == Pending::Add) {
        if (Status inserted = RowInsert(db_).insert(valuesOf(texts)); !inserted) return inserted;
        return transaction.commit();
    }
    const Result<std::optional<StoredRow>> now = read(*currentId_);
    if (!now) return statusOf(now);
    if (!*now) return kDeletedElsewhere;
    if (**now != stored_) return kChangedElsewhere;
    std::string sql = "UPDATE Bullets SET ";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (i) sql += ", ";
        sql += quoted(kColumnNames[i]) + " = ?" + std::to_string(i + 1);
    }
    const int keyParameter = static_cast<int>(kFieldCount + 1);
    sql += " WHERE rowid = ?" + std::to_string(keyParameter);
    Statement stmt(db_, sql);
    if (!stmt.prepared()) return engineError();
    bindRow(stmt, valuesOf(texts));
    stmt.bindInt64(keyParameter, *currentId_);
    if (stmt.step() != SQLITE_DONE) return engineError();
    return transaction.commit();
}

Status BulletCursor::keepPendingOverStored() {
    if (pending_ != Pending::Edit) return Error{"No edit is pending.", kErrorNothingPending};
    Result<std::optional<StoredRow>> now = read(*currentId_);
    if (!now) return statusOf(now);
    if (*now) {
        stored_ = std::move(**now);
        current_ = textsOf(stored_);
        return {};
    }
    // The row is gone: the texts become a new row, and after it is stored the window
    // shows the deleted row's neighbour.
    pending_ = Pending::Add;
    beforeAdd_ = currentId_;
    current_ = FieldTexts{};
    return {};
}

Status BulletCursor::remove() {
    if (Status refused = startChange(); !refused) return refused;
    cancelPending();
    if (!currentId_) return kNoCurrentRow;
    const std::int64_t id = *currentId_;
    {
        Transaction transaction(db_);
        if (!transaction.started()) return transaction.started();
        const Result<std::optional<StoredRow>> now = read(id);
        if (!now) return statusOf(now);
        if (*now && **now != stored_) {
            if (const Result<bool> reread = load(id); !reread) return statusOf(reread);
            return kChangedElsewhere;
        }
        if (!*now) {
            (void)transaction.commit();  // nothing was written; this only ends the transaction
            if (Status moved = moveToNeighbour(id); !moved) return moved;
            return kDeletedElsewhere;
        }
        Statement stmt(db_, "DELETE FROM Bullets WHERE rowid = ?1");
        if (!stmt.prepared()) return engineError();
        stmt.bindInt64(1, id);
        if (stmt.step() != SQLITE_DONE) return engineError();
        if (Status committed = transaction.commit(); !committed) return committed;
    }
    return moveToNeighbour(id);
}

}  // namespace tarnwick::bulletdb
