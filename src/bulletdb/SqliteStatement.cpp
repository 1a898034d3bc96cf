#include "SqliteStatement.h"

namespace tarnwick::bulletdb {

Result<Connection> openConnection(const std::string& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Connection db(raw);  // closed on every way out, also when opening failed
    if (rc != SQLITE_OK) return Error{raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc), rc};
    return db;
}

Error engineError(sqlite3* db) { return Error{sqlite3_errmsg(db), sqlite3_errcode(db)}; }

}  // namespace tarnwick::bulletdb
