#pragma once
// A prepared SQLite statement that finalizes itself, and a write transaction that
// rolls back unless committed.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::bulletdb {

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
    void bindNull(int position) { sqlite3_bind_null(stmt_, position); }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return sqlite3_step(stmt_); }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE: takes the write lock at once (waiting up to the busy timeout), so
// what is read inside the transaction cannot change before it commits.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db) : db_(db) {
        begun_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~WriteTransaction() {
        if (begun_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    bool begun() const { return begun_; }
    // False when the commit failed; the destructor then rolls back.
    bool commit() {
        if (!begun_ || sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
        begun_ = false;
        return true;
    }

private:
    sqlite3* db_;
    bool begun_ = false;
};

// A name quoted for a statement (inner quotes doubled).
std::string quoted(std::string_view name);
// The ten columns, quoted, separated by commas.
std::string quotedColumnList();
// INSERT INTO Bullets of the ten columns, from the parameters ?1 to ?10 in column order.
const std::string& insertRowSql();

}  // namespace tarnwick::bulletdb
