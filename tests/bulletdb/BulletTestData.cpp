#include "BulletTestData.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "BulletSchema.h"
#include "CsvReader.h"
#include "NumberText.h"
#include "SqliteStatement.h"

namespace bullettest {

using namespace tarnwick::bulletdb;

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
    EXPECT_FALSE(path_.empty()) << "cannot create a temporary folder";
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

void writeDatabase(const std::string& path, const std::string& csvRows, Schema schema) {
    tarnwick::Result<Connection> db = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    ASSERT_TRUE(db) << db.error();
    std::string columns;  // of an older table, for its INSERT
    if (schema == Schema::WithKey) {
        ASSERT_TRUE(createBulletTable(db->get()));
    } else {
        std::string create = "CREATE TABLE Bullets (";
        if (schema != Schema::Legacy) create += quoted(kKeyColumn) + " INTEGER PRIMARY KEY AUTOINCREMENT, ";
        for (std::size_t i = 0; i < kLegacyFieldCount + (schema == Schema::ElevenColumns); ++i) {
            columns += (i ? ", " : "") + quoted(kColumnNames[i]);
            create += (i ? ", " : "") + quoted(kColumnNames[i]) + (isNumeric(i) ? " REAL" : " TEXT");
        }
        create += ")";
        ASSERT_EQ(sqlite3_exec(db->get(), create.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    // Stored as they are, repeated bullets included, as the edit window may store them.
    std::istringstream csv(csvRows);
    CsvReader reader(csv);
    CsvRecord record;
    RowInsert insert(db->get());
    Statement olderInsert(db->get(), "INSERT INTO Bullets (" + columns + ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10" +
                                         (schema == Schema::ElevenColumns ? ", ?11)" : ")"));
    while (reader.next(record)) {
        ASSERT_GE(record.fields.size(), kLegacyFieldCount);
        RowValues row;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            if (!isNumeric(i))
                row[i] = record.fields[i];
            else if (!record.fields[i].empty())
                row[i] = tarnwick::readLenient(record.fields[i]);
        }
        if (schema == Schema::WithKey) {
            ASSERT_TRUE(insert.insert(row));
            continue;
        }
        olderInsert.reset();
        bindRow(olderInsert, row);  // the values of missing columns have no parameter to go to
        ASSERT_EQ(olderInsert.step(), SQLITE_DONE);
    }
    ASSERT_EQ(reader.problem(), "");
}

BulletTable openTable(const std::string& path, BulletTable::Access access) {
    tarnwick::Result<BulletTable> table = BulletTable::open(path, access);
    if (!table) ADD_FAILURE() << path << ": " << table.error();
    return std::move(table.value());
}

BulletCursor firstRow(BulletTable& table) {
    BulletCursor cursor = table.cursor();
    const tarnwick::Status first = cursor.moveFirst();
    EXPECT_TRUE(first) << first.error();
    return cursor;
}

std::string tableText(const std::string& path) {
    std::ostringstream out;
    const tarnwick::Result<int> rows = openTable(path, BulletTable::Access::ReadOnly).exportCsv(out);
    EXPECT_TRUE(rows) << rows.error();
    return out.str();
}

void execute(const std::string& path, const std::string& sql) {
    tarnwick::Result<Connection> db = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    ASSERT_TRUE(db) << db.error();
    char* message = nullptr;
    const int rc = sqlite3_exec(db->get(), sql.c_str(), nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
}

std::string where(const BulletCursor& cursor) {
    const auto& row = cursor.current();
    return row[index(Field::Caliber)].value_or("-") + "/" + row[index(Field::Manufacturer)].value_or("-");
}

}  // namespace bullettest
