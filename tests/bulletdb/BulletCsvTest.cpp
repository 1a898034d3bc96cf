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

std::string exportOf(const std::string& path) {
    BulletCursor cursor;
    EXPECT_FALSE(cursor.open(path, BulletCursor::Access::ReadOnly));
    std::ostringstream out;
    EXPECT_TRUE(exportBulletCsv(cursor.connection(), out).ok);
    return out.str();
}

int rowCount(const std::string& path) {
    const std::string csv = exportOf(path);
    return static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
}

CsvOutcome importText(const std::string& path, const std::string& text) {
    BulletCursor cursor;
    EXPECT_FALSE(cursor.open(path, BulletCursor::Access::ReadWrite));
    std::istringstream in(text);
    return importBulletCsv(cursor.connection(), in);
}

TEST(BulletCsv, ExportThenImportGivesTheSameTable) {
    QTemporaryDir dir;
    const std::string first = dir.filePath("a.db").toStdString();
    const std::string second = dir.filePath("b.db").toStdString();
    // Commas, quotes and line breaks in text fields, an empty number.
    bullettest::writeDatabase(first, std::string(bullettest::kRows) +
                                         "\"6,5\",\"Maker \"\"Q\"\"\",\"two\nlines\",,X1,0.5,0.5,0.5,1000,2000\n");
    // Exported through a link: the file it names is written and the link stays.
    const std::string csvPath = dir.filePath("out.csv").toStdString();
    ASSERT_TRUE(QFile::link(dir.filePath("real.csv"), dir.filePath("out.csv")));
    {
        BulletCursor cursor;
        ASSERT_FALSE(cursor.open(first, BulletCursor::Access::ReadOnly));
        const CsvOutcome written = exportBulletCsvFile(cursor.connection(), csvPath);
        ASSERT_TRUE(written.ok) << written.message;
        EXPECT_EQ(written.rows, 6);
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("out.csv")).isSymLink());
    const CsvOutcome built = createBulletDatabase(dir.filePath("real.csv").toStdString(), second);
    ASSERT_TRUE(built.ok) << built.message;
    EXPECT_EQ(exportOf(first), exportOf(second));

    BulletCursor cursor;
    ASSERT_FALSE(cursor.open(second, BulletCursor::Access::ReadOnly));
    cursor.moveLast();
    EXPECT_EQ(cursor.current()[index(Field::Manufacturer)], "Maker \"Q\"");
    EXPECT_EQ(cursor.current()[index(Field::BulletType)], "two\nlines");
    EXPECT_FALSE(cursor.current()[index(Field::BulletMass)]);
}

TEST(BulletCsv, MalformedImportStoresNothingAndNamesTheLine) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.db").toStdString();
    bullettest::writeDatabase(path);
    const std::string good = ".17,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\n";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {std::string(bullettest::kHeader) + good + ".22,Sierra,HP,fifty,1400,0.2,0.2,0.2,1000,2000\n",
         "line 3: \"Bullet Mass\" is not a number: fifty"},
        {std::string(bullettest::kHeader) + good + good + ".22,Sierra,HP,50\n", "line 4: expected 10 fields, found 4"},
        {"Caliber,Maker\n" + good, "line 1: the header must be"},
        {std::string(bullettest::kHeader) + "\"open,quote\n", "line 2: a quoted field is not closed"},
        {"", "line 1: the header line is missing"},
    };
    for (const Case& c : cases) {
        const CsvOutcome outcome = importText(path, c.text);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message.rfind(c.message, 0), 0u) << outcome.message;
        EXPECT_EQ(rowCount(path), 5);
    }
}

TEST(BulletCsv, ImportAppendsAfterExistingRowsAcceptingCrLfAndByteOrderMark) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.db").toStdString();
    bullettest::writeDatabase(path);
    std::string header = bullettest::kHeader;
    header.insert(header.size() - 1, "\r");
    const CsvOutcome outcome =
        importText(path, "\xEF\xBB\xBF" + header + ".17,Hornady,V-MAX,20,21710,0.185,0.185,0.185,1000,2000\r\n");
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.rows, 1);
    BulletCursor cursor;
    ASSERT_FALSE(cursor.open(path, BulletCursor::Access::ReadOnly));
    cursor.moveLast();
    EXPECT_EQ(bullettest::where(cursor), ".17/Hornady");
    EXPECT_EQ(cursor.current()[index(Field::HighBreakVelocity)], "2000");
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
