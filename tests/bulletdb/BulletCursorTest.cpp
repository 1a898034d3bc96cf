// The cursor on its own: moves, criterion search, add/edit/update/delete, failures.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "BulletCursor.h"
#include "BulletSchema.h"
#include "BulletTestData.h"

using namespace tarnwick::bulletdb;
using bullettest::where;

namespace {

std::array<std::string, kFieldCount> texts(const FieldTexts& row) {
    std::array<std::string, kFieldCount> out;
    for (std::size_t i = 0; i < kFieldCount; ++i) out[i] = row[i].value_or("");
    return out;
}

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath("Bullets.db");
        bullettest::writeDatabase(path);
        table.emplace(bullettest::openTable(path));
        cursor = bullettest::firstRow(*table);
    }
    static bool found(const tarnwick::Result<bool>& match) {
        EXPECT_TRUE(match) << match.error();
        return match && *match;
    }
    bool findFirst(Field field, const std::string& text) { return found(cursor.findFirst(field, text)); }
    bool findNext(Field field, const std::string& text) { return found(cursor.findNext(field, text)); }

    bullettest::TempDir dir;
    std::string path;
    std::optional<BulletTable> table;
    BulletCursor cursor;
};

TEST_F(CursorTest, NavigationStopsAtBothEnds) {
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_TRUE(cursor.movePrevious());
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_TRUE(cursor.moveNext());
    EXPECT_EQ(where(cursor), ".308/Hornady");
    EXPECT_TRUE(cursor.moveLast());
    EXPECT_EQ(where(cursor), ".224/O'Brien");
    EXPECT_TRUE(cursor.moveNext());
    EXPECT_EQ(where(cursor), ".224/O'Brien");
    EXPECT_TRUE(cursor.moveFirst());
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_EQ(cursor.current()[index(Field::BulletMass)], "165");
    EXPECT_EQ(cursor.current()[index(Field::LowBC)], "0.404");
}

TEST_F(CursorTest, EmptyTableHasNoCurrentRowAndMovesDoNothing) {
    bullettest::execute(path, "DELETE FROM Bullets");
    ASSERT_TRUE(cursor.moveFirst());
    EXPECT_FALSE(cursor.hasCurrent());
    EXPECT_TRUE(cursor.moveNext());
    EXPECT_TRUE(cursor.moveLast());
    EXPECT_FALSE(cursor.hasCurrent());
    const tarnwick::Status edit = cursor.edit();
    ASSERT_FALSE(edit);
    EXPECT_EQ(edit.errorCode(), kErrorNoCurrentRow);
    EXPECT_FALSE(cursor.remove());
}

TEST_F(CursorTest, SearchIsWholeFieldIgnoringCaseAndDoesNotWrap) {
    EXPECT_TRUE(findFirst(Field::Manufacturer, "sierra"));
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_TRUE(findNext(Field::Manufacturer, "SIERRA"));
    EXPECT_EQ(where(cursor), ".224/Sierra");
    EXPECT_FALSE(findNext(Field::Manufacturer, "Sierra"));  // no wrap to the first
    EXPECT_EQ(where(cursor), ".224/Sierra");
    EXPECT_FALSE(findFirst(Field::Manufacturer, "Sier"));
    EXPECT_FALSE(findFirst(Field::Manufacturer, "Sierra "));  // no trimming
    EXPECT_FALSE(findFirst(Field::Caliber, ".3*"));           // no wildcards
    EXPECT_EQ(where(cursor), ".224/Sierra");

    // Letters of every script, not only ASCII; a byte that is no UTF-8 only equals itself.
    bullettest::execute(path, "INSERT INTO Bullets (Caliber, Manufacturer) VALUES ('6,5', '\u00C9CLAIR'), "
                              "('7,62', '\u03A3\u039F\u03A6\u039F\u03A3'), ('8', CAST(X'C3' AS TEXT))");
    EXPECT_TRUE(findFirst(Field::Manufacturer, "\u00E9clair"));
    EXPECT_EQ(where(cursor), "6,5/\u00C9CLAIR");
    EXPECT_TRUE(findFirst(Field::Manufacturer, "\u03C3\u03BF\u03C6\u03BF\u03C2"));  // final sigma too
    EXPECT_EQ(where(cursor), "7,62/\u03A3\u039F\u03A6\u039F\u03A3");
    EXPECT_FALSE(findFirst(Field::Manufacturer, "eclair"));
    EXPECT_FALSE(findFirst(Field::Manufacturer, "\u00C3"));
    EXPECT_TRUE(findFirst(Field::Manufacturer, "\xC3"));
}

TEST_F(CursorTest, QuoteInSearchTextIsSearchedLiterally) {
    EXPECT_TRUE(findFirst(Field::Manufacturer, "o'brien"));
    EXPECT_EQ(where(cursor), ".224/O'Brien");
    EXPECT_FALSE(findFirst(Field::Manufacturer, "x' OR '1'='1"));
}

TEST_F(CursorTest, EmptySearchTextMatchesEmptyStringsOnly) {
    bullettest::execute(path, "INSERT INTO Bullets (Caliber, Manufacturer) VALUES (NULL, 'NoCaliber');"
                              "INSERT INTO Bullets (Caliber, Manufacturer) VALUES ('', 'EmptyCaliber');");
    EXPECT_TRUE(findFirst(Field::Caliber, ""));
    EXPECT_EQ(cursor.current()[index(Field::Manufacturer)], "EmptyCaliber");
    EXPECT_FALSE(findNext(Field::Caliber, ""));
}

TEST_F(CursorTest, ReturnToMarkFindsNeighbourWhenRowWasDeleted) {
    ASSERT_TRUE(cursor.moveNext());
    const auto mark = cursor.bookmark();
    ASSERT_TRUE(cursor.moveLast());
    ASSERT_TRUE(cursor.returnTo(mark));
    EXPECT_EQ(where(cursor), ".308/Hornady");
    bullettest::execute(path, "DELETE FROM Bullets WHERE Manufacturer = 'Hornady'");
    ASSERT_TRUE(cursor.returnTo(mark));
    EXPECT_EQ(where(cursor), "2145/Speer");
}

TEST_F(CursorTest, DeleteMovesToNextOrToNewLastRow) {
    ASSERT_TRUE(cursor.moveNext());  // Hornady, a middle row
    ASSERT_TRUE(cursor.remove());
    EXPECT_EQ(where(cursor), "2145/Speer");
    ASSERT_TRUE(cursor.moveLast());
    ASSERT_TRUE(cursor.remove());
    EXPECT_EQ(where(cursor), ".224/Sierra");
    ASSERT_TRUE(cursor.moveFirst());
    ASSERT_TRUE(cursor.remove());
    ASSERT_TRUE(cursor.remove());
    ASSERT_TRUE(cursor.remove());
    EXPECT_FALSE(cursor.hasCurrent());  // the table is empty now
}

TEST_F(CursorTest, AddThenUpdateStoresAtEndAndReturnsToPreviousRow) {
    ASSERT_TRUE(cursor.moveNext());
    ASSERT_TRUE(cursor.addNew());
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Add);
    for (const auto& value : cursor.current()) EXPECT_FALSE(value);
    ASSERT_TRUE(cursor.update({".338", "Barnes", "TSX", "225", "33860", "0.482", "0.482", "0.482", "", ""}));
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::None);
    EXPECT_EQ(where(cursor), ".308/Hornady");
    ASSERT_TRUE(cursor.moveLast());
    EXPECT_EQ(where(cursor), ".338/Barnes");
    EXPECT_EQ(cursor.current()[index(Field::BulletMass)], "225");
    EXPECT_FALSE(cursor.current()[index(Field::LowBreakVelocity)]);  // an empty box stores no value
}

TEST_F(CursorTest, UpdateFailuresKeepTheRowPending) {
    const tarnwick::Status nothing = cursor.update(texts(cursor.current()));
    ASSERT_FALSE(nothing);
    EXPECT_EQ(nothing.errorCode(), kErrorNothingPending);

    ASSERT_TRUE(cursor.edit());
    auto changed = texts(cursor.current());
    changed[index(Field::BulletMass)] = "heavy";
    const tarnwick::Status refused = cursor.update(changed);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.errorCode(), SQLITE_CONSTRAINT);
    EXPECT_NE(refused.error().find("Bullet Mass"), std::string::npos);
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Edit);

    changed[index(Field::BulletMass)] = " 168 ";
    ASSERT_TRUE(cursor.update(changed));
    ASSERT_TRUE(cursor.refresh());
    EXPECT_EQ(cursor.current()[index(Field::BulletMass)], "168");
}

TEST_F(CursorTest, MovingDiscardsPendingChange) {
    ASSERT_TRUE(cursor.addNew());
    ASSERT_TRUE(cursor.moveNext());
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::None);
    EXPECT_EQ(where(cursor), ".308/Hornady");
    ASSERT_TRUE(cursor.moveLast());
    EXPECT_EQ(where(cursor), ".224/O'Brien");  // nothing was added
}

TEST_F(CursorTest, SecondCursorSeesChangesAfterItsNextMove) {
    BulletTable readOnly = bullettest::openTable(path, BulletTable::Access::ReadOnly);
    BulletCursor reader = bullettest::firstRow(readOnly);
    EXPECT_TRUE(readOnly.readOnly());
    EXPECT_FALSE(reader.addNew());  // a read-only view refuses changes

    ASSERT_TRUE(cursor.moveNext());
    ASSERT_TRUE(cursor.edit());
    auto changed = texts(cursor.current());
    changed[index(Field::Manufacturer)] = "Lapua";
    ASSERT_TRUE(cursor.update(changed));

    ASSERT_TRUE(reader.moveNext());
    EXPECT_EQ(where(reader), ".308/Lapua");
}

TEST_F(CursorTest, WriteLockHeldElsewhereIsReportedNotWaitedOnForever) {
    ASSERT_TRUE(cursor.edit());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const tarnwick::Status busy = cursor.update(texts(cursor.current()));
    ASSERT_FALSE(busy);
    EXPECT_EQ(busy.errorCode(), SQLITE_BUSY);
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Edit);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(cursor.update(texts(cursor.current())));
}

// The rows' ten fields and keys, in stored order, read beside every cursor.
std::string rowsWithKeys(const std::string& path) {
    std::string rows;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT rowid, Manufacturer, \"Bullet Mass\" FROM Bullets ORDER BY rowid", -1, &stmt,
                           nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int i = 0; i < 3; ++i) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                rows += std::string(text ? text : "-") + (i == 2 ? ";" : " ");
            }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// Two programs on one file: `mine` has read the last row (and opened it for Edit when
// it updates), then `other` changes the table. Mine is told, and nothing of either
// is lost: after a conflict its typing stays pending, to be stored only when asked.
TEST(TwoCursors, NeitherOverwritesNorDeletesWhatTheOtherStoredMeanwhile) {
    const std::array<std::string, kFieldCount> typed = {".224", "Mine", "HP", "56", "M1", "0.2", "0.2", "0.2", "", ""};
    const std::array<std::string, kFieldCount> theirs = {".17", "Theirs", "V", "17", "T1", "0.1", "0.1", "0.1", "", ""};
    const auto changeLast = [&](BulletCursor& other) {
        ASSERT_TRUE(other.moveLast());
        ASSERT_TRUE(other.edit());
        ASSERT_TRUE(other.update(theirs));
    };
    const auto deleteLast = [](BulletCursor& other) {
        ASSERT_TRUE(other.moveLast());
        ASSERT_TRUE(other.remove());
    };
    // Deleting the last row and adding one: plain row ids would give the new row the
    // deleted row's id, and mine would overwrite it.
    const auto replaceLast = [&](BulletCursor& other) {
        deleteLast(other);
        ASSERT_TRUE(other.addNew());
        ASSERT_TRUE(other.update(theirs));
    };
    const std::string first4 = "1 Sierra 165.0;2 Hornady 150.0;3 Speer 130.0;4 Sierra 52.0;";
    const struct {
        const char* name;
        std::function<void(BulletCursor&)> meanwhile;
        bool update;  // else Delete
        int conflict;
        std::string afterKeepingMine;  // after the second Update; for Delete, the table unchanged
    } cases[] = {
        {"changed, then Update", changeLast, true, kErrorChangedElsewhere, first4 + "5 Mine 56.0;"},
        {"deleted, then Update", deleteLast, true, kErrorDeletedElsewhere, first4 + "6 Mine 56.0;"},
        {"replaced, then Update", replaceLast, true, kErrorDeletedElsewhere, first4 + "6 Theirs 17.0;7 Mine 56.0;"},
        {"changed, then Delete", changeLast, false, kErrorChangedElsewhere, first4 + "5 Theirs 17.0;"},
        {"deleted, then Delete", deleteLast, false, kErrorDeletedElsewhere, first4},
        {"replaced, then Delete", replaceLast, false, kErrorDeletedElsewhere, first4 + "6 Theirs 17.0;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bullettest::TempDir dir;
        const std::string path = dir.filePath("Bullets.db");
        bullettest::writeDatabase(path);
        BulletTable mineTable = bullettest::openTable(path);
        BulletTable otherTable = bullettest::openTable(path);
        BulletCursor mine = bullettest::firstRow(mineTable);
        BulletCursor other = bullettest::firstRow(otherTable);
        ASSERT_TRUE(mine.moveLast());
        if (c.update) {
            ASSERT_TRUE(mine.edit());
        }
        c.meanwhile(other);
        const std::string stored = rowsWithKeys(path);

        const tarnwick::Status refused = c.update ? mine.update(typed) : mine.remove();
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.errorCode(), c.conflict);
        EXPECT_EQ(rowsWithKeys(path), stored);
        if (!c.update) {
            EXPECT_EQ(stored, c.afterKeepingMine);
            continue;
        }
        EXPECT_EQ(mine.pending(), BulletCursor::Pending::Edit);
        ASSERT_TRUE(mine.keepPendingOverStored());
        ASSERT_TRUE(mine.update(typed));
        EXPECT_EQ(rowsWithKeys(path), c.afterKeepingMine);
    }
}

// Tables made before the key, the G7 or the length column read as before, read-only or
// not, with no value in the missing columns, and export all twelve columns; the first
// change gives them what they lack, keeping every row, its order and its row id.
TEST(OlderTables, FirstChangeGivesThemTheKeyAndTheNewColumnsKeepingRowsOrderAndIds) {
    using bullettest::Schema;
    for (const Schema schema : {Schema::Legacy, Schema::TenColumns, Schema::ElevenColumns}) {
        SCOPED_TRACE(schema == Schema::Legacy ? "without key" : schema == Schema::TenColumns ? "with key" : "with G7");
        bullettest::TempDir dir;
        const std::string path = dir.filePath("Bullets.db");
        bullettest::writeDatabase(path, bullettest::kRows, schema);
        bullettest::execute(path, "DELETE FROM Bullets WHERE rowid IN (2, 5)");
        const std::string before = rowsWithKeys(path);
        ASSERT_EQ(before, "1 Sierra 165.0;3 Speer 130.0;4 Sierra 52.0;");
        EXPECT_NE(bullettest::tableText(path).find("High Break Velocity,G7 Ballistic Coefficient,Bullet Length\r\n"
                                                   ".308,Sierra,SBT,165,2145,0.404,0.41,0.42,1600,2400,,\r\n"),
                  std::string::npos);
        const auto hasColumn = [&](const char* name) {
            sqlite3* db = nullptr;
            sqlite3_open(path.c_str(), &db);
            const bool found = sqlite3_table_column_metadata(db, nullptr, "Bullets", name, nullptr, nullptr, nullptr,
                                                             nullptr, nullptr) == SQLITE_OK;
            sqlite3_close(db);
            return found;
        };

        for (const auto access : {BulletTable::Access::ReadOnly, BulletTable::Access::ReadWrite}) {
            BulletTable table = bullettest::openTable(path, access);
            BulletCursor cursor = bullettest::firstRow(table);
            ASSERT_TRUE(cursor.moveNext());
            ASSERT_TRUE(cursor.moveNext());
            EXPECT_EQ(where(cursor), ".224/Sierra");
            EXPECT_FALSE(cursor.current()[index(Field::G7BC)]);
            const bool readOnly = access == BulletTable::Access::ReadOnly;
            EXPECT_EQ(cursor.addNew().ok(), !readOnly);
            EXPECT_EQ(hasColumn(kKeyColumn), !readOnly || schema != Schema::Legacy);
            EXPECT_EQ(hasColumn(columnName(Field::G7BC)), !readOnly || schema == Schema::ElevenColumns);
            EXPECT_EQ(hasColumn(columnName(Field::BulletLength)), !readOnly);
            EXPECT_EQ(rowsWithKeys(path), before);
            if (readOnly) continue;

            // The new column refuses what is no number, as the others do.
            const tarnwick::Status refused =
                cursor.update({".338", "Barnes", "TSX", "225", "33860", "0.4", "0.4", "0.4", "", "", "0.2", "fast"});
            EXPECT_NE(refused.error().find("Bullet Length must be a number"), std::string::npos)
                << refused.error();
            // Keys are never given twice, not even the last one after its row is deleted.
            ASSERT_TRUE(cursor.update({".338", "Barnes", "TSX", "225", "33860", "0.4", "0.4", "0.4", "", "", "0.2", "1.5"}));
            ASSERT_TRUE(cursor.moveLast());
            EXPECT_EQ(cursor.current()[index(Field::G7BC)], "0.2");
            EXPECT_EQ(cursor.current()[index(Field::BulletLength)], "1.5");
            ASSERT_TRUE(cursor.remove());
            ASSERT_TRUE(cursor.addNew());
            ASSERT_TRUE(cursor.update({".338", "Barnes", "TSX", "250", "33861", "0.4", "0.4", "0.4", "", "", ""}));
            // A keyed table has given 5 already, to the row deleted at the start.
            EXPECT_EQ(rowsWithKeys(path), before + (schema == Schema::Legacy ? "6" : "7") + " Barnes 250.0;");
        }
    }
}

TEST(TableOpen, MissingCorruptAndTablelessFilesAreRefused) {
    bullettest::TempDir dir;
    const std::string missing = dir.filePath("none.db");
    EXPECT_FALSE(BulletTable::open(missing, BulletTable::Access::ReadWrite));
    EXPECT_FALSE(std::filesystem::exists(missing));  // nothing is created

    const std::string corrupt = dir.filePath("corrupt.db");
    std::ofstream(corrupt, std::ios::binary) << std::string(4096, 'x');
    const auto notADatabase = BulletTable::open(corrupt, BulletTable::Access::ReadOnly);
    ASSERT_FALSE(notADatabase);
    EXPECT_EQ(notADatabase.errorCode(), SQLITE_NOTADB);

    const std::string tableless = dir.filePath("other.db");
    bullettest::execute(tableless, "CREATE TABLE Something (x)");
    EXPECT_FALSE(BulletTable::open(tableless, BulletTable::Access::ReadOnly));

    // Before, the missing columns were read as their own names, as text.
    const std::string wrongColumns = dir.filePath("columns.db");
    bullettest::execute(wrongColumns, "CREATE TABLE Bullets (a, b, caliber, Manufacturer, \"Bullet Type\", "
                                      "\"Bullet Mass\", StockNumber, \"Low Ballistic Coefficient\", "
                                      "\"Mid Ballistic Coefficient\", \"High Ballistic Coefficient\");"
                                      "INSERT INTO Bullets (a) VALUES (1)");
    const auto missingColumns = BulletTable::open(wrongColumns, BulletTable::Access::ReadWrite);
    ASSERT_FALSE(missingColumns);
    EXPECT_EQ(missingColumns.error(),
              "the table Bullets lacks the columns \"Low Break Velocity\", \"High Break Velocity\"");
    BulletCursor none;  // what a window holds when no file could be opened
    EXPECT_TRUE(none.moveNext());  // its moves do nothing
    EXPECT_FALSE(none.update({}));
}

}  // namespace
