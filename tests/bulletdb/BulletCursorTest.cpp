// The cursor on its own: moves, criterion search, add/edit/update/delete, failures.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>

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
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_FALSE(cursor.edit());
    const DbResult busy = cursor.update(texts(cursor.current()));
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->code, SQLITE_BUSY);
    EXPECT_EQ(cursor.pending(), BulletCursor::Pending::Edit);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_FALSE(cursor.update(texts(cursor.current())));
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
    EXPECT_FALSE(cursor.moveNext());  // a closed cursor's moves do nothing
    EXPECT_TRUE(cursor.update({}));
}

}  // namespace
