#include "BulletTestData.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sstream>

#include "BulletCsv.h"
#include "BulletSchema.h"
#include "CsvReader.h"
#include "NumberText.h"
#include "SqliteStatement.h"

namespace bullettest {

void writeDatabase(const std::string& path, const std::string& csvRows, Schema schema) {
    using namespace tarnwick::bulletdb;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    if (schema == Schema::WithKey) {
        ASSERT_FALSE(createBulletTable(db));
    } else {
        std::string create = "CREATE TABLE Bullets (";
        for (std::size_t i = 0; i < kFieldCount; ++i)
            create += (i ? ", " : "") + quoted(kColumnNames[i]) + (isNumeric(i) ? " REAL" : " TEXT");
        create += ")";
        ASSERT_EQ(sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    // Stored as they are, repeated bullets included, as the edit window may store them.
    {
        std::istringstream csv(csvRows);
        CsvReader reader(csv);
        CsvRecord record;
        Statement insert(db, insertRowSql());
        ASSERT_TRUE(insert.prepared());
        while (reader.next(record)) {
            ASSERT_EQ(record.fields.size(), kFieldCount);
            sqlite3_reset(insert.get());
            for (std::size_t i = 0; i < kFieldCount; ++i) {
                const int position = static_cast<int>(i + 1);
                if (!isNumeric(i))
                    insert.bindText(position, record.fields[i]);
                else if (record.fields[i].empty())
                    insert.bindNull(position);
                else
                    sqlite3_bind_double(insert.get(), position, tarnwick::readLenient(record.fields[i]));
            }
            ASSERT_EQ(insert.step(), SQLITE_DONE);
        }
        ASSERT_EQ(reader.problem(), "");
    }
    sqlite3_close(db);
}

std::string tableText(const std::string& path) {
    using tarnwick::bulletdb::BulletCursor;
    BulletCursor cursor;
    EXPECT_FALSE(cursor.open(path, BulletCursor::Access::ReadOnly));
    std::ostringstream out;
    EXPECT_TRUE(tarnwick::bulletdb::exportBulletCsv(cursor.connection(), out).ok);
    return out.str();
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
