#include "BulletTestData.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sstream>

#include "BulletCsv.h"

namespace bullettest {

void writeDatabase(const std::string& path, const std::string& csvRows) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_FALSE(tarnwick::bulletdb::createBulletTable(db));
    std::istringstream csv(std::string(kHeader) + csvRows);
    const auto outcome = tarnwick::bulletdb::importBulletCsv(db, csv);
    sqlite3_close(db);
    ASSERT_TRUE(outcome.ok) << outcome.message;
}

void execute(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

std::string where(const tarnwick::bulletdb::BulletCursor& cursor) {
    using tarnwick::bulletdb::Field;
    using tarnwick::bulletdb::index;
    const auto& row = cursor.current();
    return row[index(Field::Caliber)].value_or("-") + "/" + row[index(Field::Manufacturer)].value_or("-");
}

}  // namespace bullettest
