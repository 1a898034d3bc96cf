#pragma once
// A prepared SQLite statement that finalizes itself.
#include <sqlite3.h>

#include <cstdint>
#include <string>

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

// The ten columns, quoted for a statement, separated by commas.
std::string quotedColumnList();
std::string quoted(const char* name);

}  // namespace tarnwick::bulletdb
