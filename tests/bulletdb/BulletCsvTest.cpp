// CSV import and export of the bullet table, and the database built from the shipped rows.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "BulletCursor.h"
#include "BulletTable.h"
#include "BulletTestData.h"

using namespace tarnwick::bulletdb;

namespace {

namespace fs = std::filesystem;
using bullettest::tableText;
using tarnwick::Result;

int rowCount(const std::string& path) {
    const std::string csv = tableText(path);
    return static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
}

// The header naming the first eleven columns, the G7 one last, or all twelve.
std::string fullHeader(bool withLength = false) {
    std::string header = bullettest::kHeader;
    return header.insert(header.size() - 1, withLength ? ",G7 Ballistic Coefficient,Bullet Length" : ",G7 Ballistic Coefficient");
}

Result<CsvCounts> importText(const std::string& path, const std::string& text) {
    std::istringstream in(text);
    return bullettest::openTable(path).importCsv(in);
}

TEST(BulletCsv, ExportImportExportGivesIdenticalFilesAndTheSameNumbers) {
    bullettest::TempDir dir;
    const std::string first = dir.filePath("a.db");
    const std::string second = dir.filePath("b.db");
    // Commas, quotes and line breaks in text fields, an empty break velocity, a length,
    // and numbers whose exact text needs 17 digits or an exponent.
    bullettest::writeDatabase(first, ".308,Sierra,SBT,165,2145,0.404,0.41,0.42,1600,2400,0.201,1.24\n"
                                     "\"6,5\",\"Maker \"\"Q\"\"\",\"two\nlines\",0.30000000000000004,X1,1e-07,"
                                     "0.1,123456789.12345679,,2000\n");
    // Exported through a link: the file it names is written and the link stays.
    const std::string csvPath = dir.filePath("out.csv");
    fs::create_symlink(dir.filePath("real.csv"), csvPath);
    const Result<int> written = bullettest::openTable(first, BulletTable::Access::ReadOnly).exportCsvFile(csvPath);
    ASSERT_TRUE(written) << written.error();
    EXPECT_EQ(*written, 2);
    EXPECT_TRUE(fs::is_symlink(csvPath));
    const Result<CsvCounts> built = BulletTable::createFromCsv(dir.filePath("real.csv"), second);
    ASSERT_TRUE(built) << built.error();
    const std::string csv = tableText(second);
    EXPECT_EQ(tableText(first), csv);
    for (const char* exact : {"High Break Velocity,G7 Ballistic Coefficient,Bullet Length\r\n", ",165,2145,",
                              ",2400,0.201,1.24\r\n", ",0.30000000000000004,X1,1e-07,0.1,123456789.12345679,,2000,,\r\n"})
        EXPECT_NE(csv.find(exact), std::string::npos) << exact << " in\n" << csv;

    BulletTable table = bullettest::openTable(second, BulletTable::Access::ReadOnly);
    BulletCursor cursor = table.cursor();
    ASSERT_TRUE(cursor.moveLast());
    EXPECT_EQ(cursor.current()[index(Field::Manufacturer)], "Maker \"Q\"");
    EXPECT_EQ(cursor.current()[index(Field::BulletType)], "two\nlines");
    EXPECT_FALSE(cursor.current()[index(Field::LowBreakVelocity)]);
}

TEST(BulletCsv, MalformedImportStoresNothingAndNamesTheLine) {
    bullettest::TempDir dir;
    const std::string path = dir.filePath("a.db");
    bullettest::writeDatabase(path);
    const std::string before = tableText(path);
    const std::string header = bullettest::kHeader;
    const std::string good = ".17,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\n";
    const auto row = [](const std::string& maker, const std::string& mass, const std::string& lowBC,
                        const std::string& lowBreak) {
        return ".22," + maker + ",HP," + mass + ",1400," + lowBC + ",0.2,0.2," + lowBreak + ",2000\n";
    };
    struct Case {
        std::string text;  // written to a file and imported; or
        std::string file;  // a path imported as it is
        std::string message;
    };
    const std::string g7Row = ".22,Sierra,HP,50,1400,0.2,0.2,0.2,1000,2000,";
    const Case cases[] = {
        {header + good + row("Sierra", "fifty", "0.2", "1000"), "", "line 3: \"Bullet Mass\" is not a number: fifty"},
        {fullHeader() + good, "", "line 2: expected 11 fields, found 10"},
        {fullHeader() + g7Row + "fast\n", "", "line 2: \"G7 Ballistic Coefficient\" is not a number: fast"},
        {fullHeader(true) + g7Row + "0.2,-1\n", "", "line 2: \"Bullet Length\" is not greater than 0: -1"},
        {header + good + good + ".22,Sierra,HP,50\n", "", "line 4: expected 10 fields, found 4"},
        {"Caliber,Maker\n" + good, "", "line 1: the header must be"},
        {header + "\"open,quote\n", "", "line 2: a quoted field is not closed"},
        {"", "", "line 1: the header line is missing"},
        {header + good + ",,,,,,,,,\n", "", "line 3: the row is empty"},
        {header + row("", "50", "0.2", "1000"), "", "line 2: a bullet needs a maker and a stock number"},
        {header + ".22,Sierra,HP,50, ,0.2,0.2,0.2,1000,2000\n", "", "line 2: a bullet needs a maker"},
        {header + row("Sierra", "0", "0.2", "1000"), "", "line 2: \"Bullet Mass\" is not greater than 0: 0"},
        {header + row("Sierra", "50", "-0.2", "1000"), "", "line 2: \"Low Ballistic Coefficient\" is not greater"},
        {header + row("Sierra", "50", "", "1000"), "", "line 2: \"Low Ballistic Coefficient\" has no value"},
        {header + row("Sierra", "50", "1e999", "1000"), "", "line 2: \"Low Ballistic Coefficient\" is not a number"},
        {header + row("Sierra", "50", "0.2", "-1"), "", "line 2: \"Low Break Velocity\" is below 0: -1"},
        {header + good + row(std::string("Si\0rra", 6), "50", "0.2", "1000"), "", "line 3: \"Manufacturer\" holds a NUL"},
        {header + row("Si\xC3\x28rra", "50", "0.2", "1000"), "", "line 2: \"Manufacturer\" is not UTF-8 text"},
        {header + good + good + std::string(70000, 'x') + "\n", "", "line 4: the row is longer than 64 KB"},
        {"", dir.path(), "is a folder, not a CSV file"},
        {"", "/dev/zero", "is a device or special file, not a CSV file"},
        {"", dir.filePath("none.csv"), "cannot be read: No such file or directory"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string csv = c.file;
        if (csv.empty()) {
            csv = dir.filePath("case" + std::to_string(++n) + ".csv");
            std::ofstream(csv, std::ios::binary) << c.text;
        }
        const Result<CsvCounts> outcome = bullettest::openTable(path).importCsvFile(csv);
        ASSERT_FALSE(outcome);
        EXPECT_EQ(outcome.error().rfind(csv + ": " + c.message, 0), 0u) << outcome.error();
        EXPECT_EQ(tableText(path), before);
    }
}

TEST(BulletCsv, ImportAppendsNewBulletsAndSkipsThoseAlreadyThereAcceptingCrLfAndByteOrderMark) {
    bullettest::TempDir dir;
    const std::string path = dir.filePath("a.db");
    bullettest::writeDatabase(path);
    std::string header = bullettest::kHeader;
    header.insert(header.size() - 1, "\r");
    const Result<CsvCounts> outcome = importText(path, "\xEF\xBB\xBF" + header +
                                                    ".17,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\r\n"
                                                    ".308,Sierra,SBT,168,2145,0.45,0.45,0.45,1000,2000\r\n"
                                                    ".172,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\r\n"
                                                    ".224,Nosler,BT,40,39510,0.221,0.221,0.221,,\r\n");
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(importSummary(*outcome), "2 bullets imported, 2 already in the table skipped");
    // With the G7 column: a value where the maker publishes one, none where it is empty.
    const Result<CsvCounts> withG7 = importText(path, fullHeader() +
                                                          ".308,Berger,Hybrid,185,30418,0.56,0.56,0.56,1000,2000,0.283\n"
                                                          ".308,Lapua,Scenar,155,4PL7005,0.5,0.5,0.5,1000,2000,\n");
    ASSERT_TRUE(withG7) << withG7.error();
    BulletTable table = bullettest::openTable(path, BulletTable::Access::ReadOnly);
    BulletCursor cursor = table.cursor();
    ASSERT_TRUE(cursor.moveLast());
    EXPECT_EQ(bullettest::where(cursor), ".308/Lapua");
    EXPECT_FALSE(cursor.current()[index(Field::G7BC)]);
    ASSERT_TRUE(cursor.movePrevious());
    EXPECT_EQ(cursor.current()[index(Field::G7BC)], "0.283");
    ASSERT_TRUE(cursor.movePrevious());
    EXPECT_EQ(bullettest::where(cursor), ".224/Nosler");
    ASSERT_TRUE(cursor.movePrevious());
    EXPECT_EQ(bullettest::where(cursor), ".17/Hornady");
    EXPECT_EQ(cursor.current()[index(Field::HighBreakVelocity)], "2000");
    ASSERT_TRUE(cursor.movePrevious());
    EXPECT_EQ(bullettest::where(cursor), ".224/O'Brien");
}

// Gives the file a fault that SQLite's quick check finds while every row still reads:
// its header counts free pages that it does not have.
void damage(const std::string& path) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    ASSERT_TRUE(file.seekp(36));
    ASSERT_TRUE(file.write("\0\0\0\3", 4));
}

TEST(BulletDatabaseFaults, ChangesAreRefusedNamingTheDatabaseNotTheCsvFile) {
    bullettest::TempDir dir;
    const std::string path = dir.filePath("Bullets.db");
    const std::string csv = dir.filePath("small.csv");
    std::ofstream(csv, std::ios::binary) << bullettest::kHeader << ".17,Hornady,V-MAX,20,21710,0.185,0.1,0.1,0,0\n";
    bullettest::writeDatabase(path);
    const std::string before = tableText(path);
    const auto expectRefusedNamingTheDatabase = [&](const Result<CsvCounts>& outcome, const std::string& cause) {
        EXPECT_FALSE(outcome);
        const std::string& text = outcome.error();
        EXPECT_NE(text.find(path), std::string::npos) << text;
        EXPECT_NE(text.find(cause), std::string::npos) << text;
        EXPECT_EQ(text.find("small.csv"), std::string::npos) << text;
        EXPECT_EQ(tableText(path), before);
    };

    // Another program holds the write lock for longer than the import waits.
    {
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        expectRefusedNamingTheDatabase(bullettest::openTable(path).importCsvFile(csv), "database is locked");
        sqlite3_close(other);
    }

    // A damaged file still reads, but nothing is written into it.
    damage(path);
    BulletTable table = bullettest::openTable(path);
    BulletCursor cursor = bullettest::firstRow(table);
    EXPECT_EQ(bullettest::where(cursor), ".308/Sierra");
    expectRefusedNamingTheDatabase(table.importCsvFile(csv), "is damaged");
    for (const auto& change : {&BulletCursor::addNew, &BulletCursor::edit, &BulletCursor::remove}) {
        const tarnwick::Status refused = (cursor.*change)();
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.errorCode(), SQLITE_CORRUPT);
        EXPECT_NE(refused.error().find(path + " is damaged"), std::string::npos) << refused.error();
    }
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::None);
    EXPECT_EQ(tableText(path), before);
}

TEST(ShippedBullets, EveryRowOfTheShippedFileIsInTheDatabase) {
    bullettest::TempDir dir;
    const std::string path = dir.filePath("Bullets.db");
    const Result<CsvCounts> built = BulletTable::createFromCsv(TARNWICK_SHIPPED_BULLETS_CSV, path);
    ASSERT_TRUE(built) << built.error();
    std::ifstream shipped(TARNWICK_SHIPPED_BULLETS_CSV);
    int lines = 0;
    for (std::string line; std::getline(shipped, line);)
        if (!line.empty()) ++lines;
    EXPECT_EQ(built->rows, lines - 1);
    EXPECT_EQ(rowCount(path), lines - 1);
    EXPECT_EQ(built->rows, 625);
    const std::string csv = tableText(path);  // a row without a G7 coefficient or length ends in two commas
    int withoutG7 = 0;
    for (auto at = csv.find(",,\r\n"); at != std::string::npos; at = csv.find(",,\r\n", at + 1)) ++withoutG7;
    EXPECT_EQ(built->rows - withoutG7, 218);
}

}  // namespace
