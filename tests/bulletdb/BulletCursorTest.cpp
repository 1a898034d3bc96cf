// The cursor on its own: moves, criterion search, add/edit/update/delete, failures.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <functional>

#include "BulletCursor.h"
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
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Bullets.db").toStdString();
        bullettest::writeDatabase(path);
        ASSERT_FALSE(cursor.open(path, BulletCursor::Access::ReadWrite));
    }
    bool findFirst(Field field, const std::string& text) {
        bool found = false;
        EXPECT_FALSE(cursor.findFirst(field, text, found));
        return found;
    }
    bool findNext(Field field, const std::string& text) {
        bool found = false;
        EXPECT_FALSE(cursor.findNext(field, text, found));
        return found;
    }

    QTemporaryDir dir;
    std::string path;
    BulletCursor cursor;
};

TEST_F(CursorTest, NavigationStopsAtBothEnds) {
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_FALSE(cursor.movePrevious());
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_FALSE(cursor.moveNext());
    EXPECT_EQ(where(cursor), ".308/Hornady");
    EXPECT_FALSE(cursor.moveLast());
    EXPECT_EQ(where(cursor), ".224/O'Brien");
    EXPECT_FALSE(cursor.moveNext());
    EXPECT_EQ(where(cursor), ".224/O'Brien");
    EXPECT_FALSE(cursor.moveFirst());
    EXPECT_EQ(where(cursor), ".308/Sierra");
    EXPECT_EQ(cursor.current()[index(Field::BulletMass)], "165");
    EXPECT_EQ(cursor.current()[index(Field::LowBC)], "0.404");
}

TEST_F(CursorTest, EmptyTableHasNoCurrentRowAndMovesDoNothing) {
    bullettest::execute(path, "DELETE FROM Bullets");
    ASSERT_FALSE(cursor.moveFirst());
    EXPECT_FALSE(cursor.hasCurrent());
    EXPECT_FALSE(cursor.moveNext());
    EXPECT_FALSE(cursor.moveLast());
    EXPECT_FALSE(cursor.hasCurrent());
    const DbResult edit = cursor.edit();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->code, kErrorNoCurrentRow);
    EXPECT_TRUE(cursor.remove());
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
    cursor.moveNext();
    const auto mark = cursor.bookmark();
    cursor.moveLast();
    ASSERT_FALSE(cursor.returnTo(mark));
    EXPECT_EQ(where(cursor), ".308/Hornady");
    bullettest::execute(path, "DELETE FROM Bullets WHERE Manufacturer = 'Hornady'");
    ASSERT_FALSE(cursor.returnTo(mark));
    EXPECT_EQ(where(cursor), "2145/Speer");
}

TEST_F(CursorTest, DeleteMovesToNextOrToNewLastRow) {
    cursor.moveNext();  // Hornady, a middle row
    ASSERT_FALSE(cursor.remove());
    EXPECT_EQ(where(cursor), "2145/Speer");
    cursor.moveLast();
    ASSERT_FALSE(cursor.remove());
    EXPECT_EQ(where(cursor), ".224/Sierra");
    cursor.moveFirst();
    ASSERT_FALSE(cursor.remove());
    ASSERT_FALSE(cursor.remove());
    ASSERT_FALSE(cursor.remove());
    EXPECT_FALSE(cursor.hasCurrent());  // the table is empty now
}

TEST_F(CursorTest, AddThenUpdateStoresAtEndAndReturnsToPreviousRow) {
    cursor.moveNext();
    ASSERT_FALSE(cursor.addNew());
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Add);
    for (const auto& value : cursor.current()) EXPECT_FALSE(value);
    ASSERT_FALSE(cursor.update({".338", "Barnes", "TSX", "225", "33860", "0.482", "0.482", "0.482", "", ""}));
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::None);
    EXPECT_EQ(where(cursor), ".308/Hornady");
    cursor.moveLast();
    EXPECT_EQ(where(cursor), ".338/Barnes");
    EXPECT_EQ(cursor.current()[index(Field::BulletMass)], "225");
    EXPECT_FALSE(cursor.current()[index(Field::LowBreakVelocity)]);  // an empty box stores no value
}

TEST_F(CursorTest, UpdateFailuresKeepTheRowPending) {
    const DbResult nothing = cursor.update(texts(cursor.current()));
    ASSERT_TRUE(nothing);
    EXPECT_EQ(nothing->code, kErrorNothingPending);

    ASSERT_FALSE(cursor.edit());
    auto changed = texts(cursor.current());
    changed[index(Field::BulletMass)] = "heavy";
    const DbResult refused = cursor.update(changed);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code, SQLITE_CONSTRAINT);
    EXPECT_NE(refused->description.find("Bullet Mass"), std::string::npos);
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Edit);

    changed[index(Field::BulletMass)] = " 168 ";
    ASSERT_FALSE(cursor.update(changed));
    ASSERT_FALSE(cursor.refresh());
    EXPECT_EQ(cursor.current()[index(Field::BulletMass)], "168");
}

TEST_F(CursorTest, MovingDiscardsPendingChange) {
    ASSERT_FALSE(cursor.addNew());
    cursor.moveNext();
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::None);
    EXPECT_EQ(where(cursor), ".308/Hornady");
    cursor.moveLast();
    EXPECT_EQ(where(cursor), ".224/O'Brien");  // nothing was added
}

TEST_F(CursorTest, SecondCursorSeesChangesAfterItsNextMove) {
    BulletCursor reader;
    ASSERT_FALSE(reader.open(path, BulletCursor::Access::ReadOnly));
    EXPECT_TRUE(reader.readOnly());
    EXPECT_TRUE(reader.addNew());  // a read-only view refuses changes

    ASSERT_FALSE(cursor.moveNext());
    ASSERT_FALSE(cursor.edit());
    auto changed = texts(cursor.current());
    changed[index(Field::Manufacturer)] = "Lapua";
    ASSERT_FALSE(cursor.update(changed));

    ASSERT_FALSE(reader.moveNext());
    EXPECT_EQ(where(reader), ".308/Lapua");
}

TEST_F(CursorTest, WriteLockHeldElsewhereIsReportedNotWaitedOnForever) {
    ASSERT_FALSE(cursor.edit());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const DbResult busy = cursor.update(texts(cursor.current()));
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->code, SQLITE_BUSY);
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Edit);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_FALSE(cursor.update(texts(cursor.current())));
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
        other.moveLast();
        ASSERT_FALSE(other.edit());
        ASSERT_FALSE(other.update(theirs));
    };
    const auto deleteLast = [](BulletCursor& other) {
        other.moveLast();
        ASSERT_FALSE(other.remove());
    };
    // Deleting the last row and adding one: plain row ids would give the new row the
    // deleted row's id, and mine would overwrite it.
    const auto replaceLast = [&](BulletCursor& other) {
        deleteLast(other);
        ASSERT_FALSE(other.addNew());
        ASSERT_FALSE(other.update(theirs));
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
        QTemporaryDir dir;
        const std::string path = dir.filePath("Bullets.db").toStdString();
        bullettest::writeDatabase(path);
        BulletCursor mine;
        BulletCursor other;
        ASSERT_FALSE(mine.open(path, BulletCursor::Access::ReadWrite));
        ASSERT_FALSE(other.open(path, BulletCursor::Access::ReadWrite));
        ASSERT_FALSE(mine.moveLast());
        if (c.update) {
            ASSERT_FALSE(mine.edit());
        }
        c.meanwhile(other);
        const std::string stored = rowsWithKeys(path);

        const DbResult refused = c.update ? mine.update(typed) : mine.remove();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->code, c.conflict);
        EXPECT_EQ(rowsWithKeys(path), stored);
        if (!c.update) {
            EXPECT_EQ(stored, c.afterKeepingMine);
            continue;
        }
        EXPECT_EQ(mine.pending(), BulletCursor::Pending::Edit);
        ASSERT_FALSE(mine.keepPendingOverStored());
        ASSERT_FALSE(mine.update(typed));
        EXPECT_EQ(rowsWithKeys(path), c.afterKeepingMine);
    }
}

// A table made before the key existed reads as before, read-only or not; the first
// change gives it the key, keeping every row, its order and its row id.
TEST(LegacyTable, FirstChangeGivesItTheKeyKeepingRowsOrderAndIds) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Bullets.db").toStdString();
    bullettest::writeDatabase(path, bullettest::kRows, bullettest::Schema::Legacy);
    bullettest::execute(path, "DELETE FROM Bullets WHERE rowid IN (2, 5)");
    const std::string before = rowsWithKeys(path);
    ASSERT_EQ(before, "1 Sierra 165.0;3 Speer 130.0;4 Sierra 52.0;");
    const auto hasKey = [&] {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        const bool found = sqlite3_table_column_metadata(db, nullptr, "Bullets", kKeyColumn, nullptr, nullptr,
                                                         nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return found;
    };

    for (const auto access : {BulletCursor::Access::ReadOnly, BulletCursor::Access::ReadWrite}) {
        BulletCursor cursor;
        ASSERT_FALSE(cursor.open(path, access));
        cursor.moveNext();
        cursor.moveNext();
        EXPECT_EQ(where(cursor), ".224/Sierra");
        const bool readOnly = access == BulletCursor::Access::ReadOnly;
        EXPECT_EQ(cursor.addNew().has_value(), readOnly);
        EXPECT_EQ(hasKey(), !readOnly);
        EXPECT_EQ(rowsWithKeys(path), before);
        if (readOnly) continue;

        // Keys are never given twice, not even the last one after its row is deleted.
        ASSERT_FALSE(cursor.update({".338", "Barnes", "TSX", "225", "33860", "0.4", "0.4", "0.4", "", ""}));
        cursor.moveLast();
        ASSERT_FALSE(cursor.remove());
        ASSERT_FALSE(cursor.addNew());
        ASSERT_FALSE(cursor.update({".338", "Barnes", "TSX", "250", "33861", "0.4", "0.4", "0.4", "", ""}));
        EXPECT_EQ(rowsWithKeys(path), before + "6 Barnes 250.0;");
    }
}

TEST(CursorOpen, MissingCorruptAndTablelessFilesAreRefused) {
    QTemporaryDir dir;
    BulletCursor cursor;
    const std::string missing = dir.filePath("none.db").toStdString();
    EXPECT_TRUE(cursor.open(missing, BulletCursor::Access::ReadWrite));
    EXPECT_FALSE(cursor.isOpen());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));  // nothing is created

    const QString corrupt = dir.filePath("corrupt.db");
    QFile file(corrupt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const DbResult notADatabase = cursor.open(corrupt.toStdString(), BulletCursor::Access::ReadOnly);
    ASSERT_TRUE(notADatabase);
    EXPECT_EQ(notADatabase->code, SQLITE_NOTADB);

    const std::string tableless = dir.filePath("other.db").toStdString();
    bullettest::execute(tableless, "CREATE TABLE Something (x)");
    EXPECT_TRUE(cursor.open(tableless, BulletCursor::Access::ReadOnly));
    EXPECT_FALSE(cursor.isOpen());

    // Before, the missing columns were read as their own names, as text.
    const std::string wrongColumns = dir.filePath("columns.db").toStdString();
    bullettest::execute(wrongColumns, "CREATE TABLE Bullets (a, b, caliber, Manufacturer, \"Bullet Type\", "
                                      "\"Bullet Mass\", StockNumber, \"Low Ballistic Coefficient\", "
                                      "\"Mid Ballistic Coefficient\", \"High Ballistic Coefficient\");"
                                      "INSERT INTO Bullets (a) VALUES (1)");
    const DbResult missingColumns = cursor.open(wrongColumns, BulletCursor::Access::ReadWrite);
    ASSERT_TRUE(missingColumns);
    EXPECT_EQ(missingColumns->description,
              "the table Bullets lacks the columns \"Low Break Velocity\", \"High Break Velocity\"");
    EXPECT_FALSE(cursor.isOpen());
    EXPECT_FALSE(cursor.moveNext());  // a closed cursor's moves do nothing
    EXPECT_TRUE(cursor.update({}));
}

}  // namespace
