#pragma once
// SQLite with its resources held by objects: a connection closed by its owner, a
// prepared statement that finalizes itself, and a write transaction that rolls back
// unless committed.
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>

#include "Result.h"

namespace tarnwick::bulletdb {

struct CloseConnection {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

// Opens `path` with sqlite3_open_v2's `flags`; the failure carries the engine's number.
Result<Connection> openConnection(const std::string& path, int flags);

// The connection's last failure, with the engine's number and description.
Error engineError(sqlite3* db);

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size() + 1), &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }

    void bindText(int position, const std::string& text) {
        sqlite3_bind_text(stmt_, position, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void bindInt64(int position, std::int64_t value) { sqlite3_bind_int64(stmt_, position, value); }
    void bindDouble(int position, double value) { sqlite3_bind_double(stmt_, position, value); }
    void bindNull(int position) { sqlite3_bind_null(stmt_, position); }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return sqlite3_step(stmt_); }
    // Ready to run again with new parameters.
    void reset() { sqlite3_reset(stmt_); }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE: takes the write lock at once (waiting up to the busy timeout), so
// what is read inside the transaction cannot change before it commits. Every way out
// of a scope without commit() rolls the changes back.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : db_(db) {
        if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK)
            open_ = true;
        else
            started_ = engineError(db_);
    }
    ~Transaction() {
        if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether BEGIN succeeded; nothing else is done in a transaction that did not start.
    const Status& started() const { return started_; }
    // On failure the destructor rolls back.
    Status commit() {
        if (!open_) return started_ ? Status(Error{"no transaction is open"}) : started_;
        if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) return engineError(db_);
        open_ = false;
        return {};
    }

private:
    sqlite3* db_;
    bool open_ = false;
    Status started_;
};

}  // namespace tarnwick::bulletdb
