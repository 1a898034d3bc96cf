#include "BulletTable.h"

#include "BulletCursor.h"
#include "BulletSchema.h"
#include "Utf8Text.h"

namespace tarnwick::bulletdb {

namespace {

// How long a connection waits for another program's write lock before reporting.
constexpr int kBusyTimeoutMs = 2000;

}  // namespace

Result<BulletTable> BulletTable::open(const std::string& path, Access access) {
    Result<Connection> opened =
        openConnection(path, access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    if (!opened) return opened.failure();
    sqlite3* db = opened->get();
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // A double-quoted name that is no column is an error, never a text literal.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    registerCaseFolding(db);
    // Opening is lazy in SQLite: check the table's columns and read one row now, so that
    // a file that is no database or lacks the table or a column is refused here rather
    // than on a move.
    if (Status columns = checkBulletColumns(db); !columns) return columns.failure();
    Statement probe(db, "SELECT rowid, " + selectColumnList(db) + " FROM Bullets LIMIT 1");
    const int step = probe.prepared() ? probe.step() : SQLITE_ERROR;
    if (step != SQLITE_ROW && step != SQLITE_DONE) return engineError(db);
    return BulletTable(std::move(*opened), path);
}

bool BulletTable::readOnly() const { return sqlite3_db_readonly(db_.get(), "main") == 1; }

bool BulletTable::fileMoved() const {
    int moved = 0;
    if (sqlite3_file_control(db_.get(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK) return false;
    return moved != 0;
}

BulletCursor BulletTable::cursor() { return BulletCursor(db_.get()); }

}  // namespace tarnwick::bulletdb
