// CSV import and export of the bullet table, and the database built from the shipped rows.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "BulletCsv.h"
#include "BulletCursor.h"
#include "BulletTestData.h"

using namespace tarnwick::bulletdb;

namespace {

using bullettest::tableText;

int rowCount(const std::string& path) {
    const std::string csv = tableText(path);
    return static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
}

CsvOutcome importText(const std::string& path, const std::string& text) {
    BulletCursor cursor;
    EXPECT_FALSE(cursor.open(path, BulletCursor::Access::ReadWrite));
    std::istringstream in(text);
    return importBulletCsv(cursor.connection(), in);
}

TEST(BulletCsv, ExportImportExportGivesIdenticalFilesAndTheSameNumbers) {
    QTemporaryDir dir;
    const std::string first = dir.filePath("a.db").toStdString();
    const std::string second = dir.filePath("b.db").toStdString();
    // Commas, quotes and line breaks in text fields, an empty break velocity, and numbers
    // whose exact text needs 17 digits or an exponent.
    bullettest::writeDatabase(first, ".308,Sierra,SBT,165,2145,0.404,0.41,0.42,1600,2400\n"
                                     "\"6,5\",\"Maker \"\"Q\"\"\",\"two\nlines\",0.30000000000000004,X1,1e-07,"
                                     "0.1,123456789.12345679,,2000\n");
    // Exported through a link: the file it names is written and the link stays.
    const std::string csvPath = dir.filePath("out.csv").toStdString();
    ASSERT_TRUE(QFile::link(dir.filePath("real.csv"), dir.filePath("out.csv")));
    {
        BulletCursor cursor;
        ASSERT_FALSE(cursor.open(first, BulletCursor::Access::ReadOnly));
        const CsvOutcome written = exportBulletCsvFile(cursor.connection(), csvPath);
        ASSERT_TRUE(written.ok) << written.message;
        EXPECT_EQ(written.rows, 2);
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("out.csv")).isSymLink());
    const CsvOutcome built = createBulletDatabase(dir.filePath("real.csv").toStdString(), second);
    ASSERT_TRUE(built.ok) << built.message;
    const std::string csv = tableText(second);
    EXPECT_EQ(tableText(first), csv);
    for (const char* exact : {",0.30000000000000004,X1,1e-07,0.1,123456789.12345679,,2000\r\n", ",165,2145,"})
        EXPECT_NE(csv.find(exact), std::string::npos) << exact << " in\n" << csv;

    BulletCursor cursor;
    ASSERT_FALSE(cursor.open(second, BulletCursor::Access::ReadOnly));
    cursor.moveLast();
    EXPECT_EQ(cursor.current()[index(Field::Manufacturer)], "Maker \"Q\"");
    EXPECT_EQ(cursor.current()[index(Field::BulletType)], "two\nlines");
    EXPECT_FALSE(cursor.current()[index(Field::LowBreakVelocity)]);
}

TEST(BulletCsv, MalformedImportStoresNothingAndNamesTheLine) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.db").toStdString();
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
    const Case cases[] = {
        {header + good + row("Sierra", "fifty", "0.2", "1000"), "", "line 3: \"Bullet Mass\" is not a number: fifty"},
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
        {"", dir.path().toStdString(), "is a folder, not a CSV file"},
        {"", "/dev/zero", "is a device or special file, not a CSV file"},
        {"", dir.filePath("none.csv").toStdString(), "cannot be read: No such file or directory"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string csv = c.file;
        if (csv.empty()) {
            csv = dir.filePath(QString("case%1.csv").arg(++n)).toStdString();
            std::ofstream(csv, std::ios::binary) << c.text;
        }
        BulletCursor cursor;
        ASSERT_FALSE(cursor.open(path, BulletCursor::Access::ReadWrite));
        const CsvOutcome outcome = importBulletCsvFile(cursor.connection(), csv);
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(outcome.databaseFault);
        EXPECT_EQ(failureText(outcome, csv).rfind(csv + ": " + c.message, 0), 0u) << failureText(outcome, csv);
        EXPECT_EQ(tableText(path), before);
    }
}

TEST(BulletCsv, ImportAppendsNewBulletsAndSkipsThoseAlreadyThereAcceptingCrLfAndByteOrderMark) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.db").toStdString();
    bullettest::writeDatabase(path);
    std::string header = bullettest::kHeader;
    header.insert(header.size() - 1, "\r");
    const CsvOutcome outcome = importText(path, "\xEF\xBB\xBF" + header +
                                                    ".17,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\r\n"
                                                    ".308,Sierra,SBT,168,2145,0.45,0.45,0.45,1000,2000\r\n"
                                                    ".172,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\r\n"
                                                    ".224,Nosler,BT,40,39510,0.221,0.221,0.221,,\r\n");
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(importSummary(outcome), "2 bullets imported, 2 already in the table skipped");
    BulletCursor cursor;
    ASSERT_FALSE(cursor.open(path, BulletCursor::Access::ReadOnly));
    cursor.moveLast();
    EXPECT_EQ(bullettest::where(cursor), ".224/Nosler");
    cursor.movePrevious();
    EXPECT_EQ(bullettest::where(cursor), ".17/Hornady");
    EXPECT_EQ(cursor.current()[index(Field::HighBreakVelocity)], "2000");
    cursor.movePrevious();
    EXPECT_EQ(bullettest::where(cursor), ".224/O'Brien");
}

// Gives the file a fault that SQLite's quick check finds while every row still reads:
// its header counts free pages that it does not have.
void damage(const std::string& path) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(36));
    ASSERT_EQ(file.write(QByteArray("\0\0\0\3", 4)), 4);
}

TEST(BulletDatabaseFaults, ChangesAreRefusedNamingTheDatabaseNotTheCsvFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Bullets.db").toStdString();
    const std::string csv = dir.filePath("small.csv").toStdString();
    std::ofstream(csv, std::ios::binary) << bullettest::kHeader << ".17,Hornady,V-MAX,20,21710,0.185,0.1,0.1,0,0\n";
    bullettest::writeDatabase(path);
    const std::string before = tableText(path);
    const auto expectRefusedNamingTheDatabase = [&](const CsvOutcome& outcome, const std::string& cause) {
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.databaseFault);
        const std::string text = failureText(outcome, csv);
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
        BulletCursor cursor;
        ASSERT_FALSE(cursor.open(path, BulletCursor::Access::ReadWrite));
        expectRefusedNamingTheDatabase(importBulletCsvFile(cursor.connection(), csv), "database is locked");
        sqlite3_close(other);
    }

    // A damaged file still reads, but nothing is written into it.
    damage(path);
    BulletCursor cursor;
    ASSERT_FALSE(cursor.open(path, BulletCursor::Access::ReadWrite));
    EXPECT_EQ(bullettest::where(cursor), ".308/Sierra");
    expectRefusedNamingTheDatabase(importBulletCsvFile(cursor.connection(), csv), "is damaged");
    for (const auto& change : {&BulletCursor::addNew, &BulletCursor::edit, &BulletCursor::remove}) {
        const DbResult refused = (cursor.*change)();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->code, SQLITE_CORRUPT);
        EXPECT_NE(refused->description.find(path + " is damaged"), std::string::npos) << refused->description;
    }
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::None);
    EXPECT_EQ(tableText(path), before);
}

TEST(ShippedBullets, EveryRowOfTheShippedFileIsInTheDatabase) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Bullets.db").toStdString();
    const CsvOutcome built = createBulletDatabase(TARNWICK_SHIPPED_BULLETS_CSV, path);
    ASSERT_TRUE(built.ok) << built.message;
    std::ifstream shipped(TARNWICK_SHIPPED_BULLETS_CSV);
    int lines = 0;
    for (std::string line; std::getline(shipped, line);)
        if (!line.empty()) ++lines;
    EXPECT_EQ(built.rows, lines - 1);
    EXPECT_EQ(rowCount(path), lines - 1);
    EXPECT_GE(built.rows, 400);
}

}  // namespace
