#pragma once
// A cursor on the bullet table `Bullets` of one SQLite file: one current row, moves in
// the table's stored order (rowid order), a position marker, criterion search, and
// add / edit / update / delete. Each window holds its own cursor; several cursors may
// have the same file open at once. Every move reads the row afresh from the file, so a
// change made through another cursor is seen after the next move.
#include <cstdint>
#include <optional>
#include <string>

#include "BulletRecord.h"

struct sqlite3;

namespace tarnwick::bulletdb {

// Creates the table `Bullets` in an open database (numeric columns refuse text that is
// not a number, so such a value is reported by the engine instead of being stored).
DbResult createBulletTable(sqlite3* db);

class BulletCursor {
public:
    enum class Access { ReadOnly, ReadWrite };
    enum class Pending { None, Add, Edit };

    BulletCursor() = default;
    ~BulletCursor();
    BulletCursor(const BulletCursor&) = delete;
    BulletCursor& operator=(const BulletCursor&) = delete;

    // Opens the file (never creating it) and makes the first row current. A file that
    // is missing, is no database or has no table `Bullets` is refused; the cursor then
    // stays closed. ReadWrite on a file that cannot be written opens it read-only.
    DbResult open(const std::string& path, Access access);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }
    // True when writing is impossible: opened read-only, or the file refused writing.
    bool readOnly() const;
    // True when the file has been removed or another file has taken its name since it
    // was opened. The connection then still reads the old, unlinked file, and SQLite
    // refuses every write to it with a misleading "read-only" error.
    bool fileMoved() const;

    // The current row: what the field boxes show. While an add is pending it is blank.
    bool hasCurrent() const { return currentId_.has_value(); }
    const FieldTexts& current() const { return current_; }
    std::optional<std::int64_t> bookmark() const { return currentId_; }

    // The navigation bar. Previous on the first row and next on the last row leave the
    // current row where it is. A pending add or edit is discarded first.
    DbResult moveFirst();
    DbResult movePrevious();
    DbResult moveNext();
    DbResult moveLast();
    // Makes the marked row current again; if it has been deleted meanwhile, the row
    // after it (or before it, at the end of the table).
    DbResult returnTo(std::optional<std::int64_t> mark);

    // Whole-field equality with `text` as given, letter case ignored. The text is bound
    // as a parameter, never pasted into the statement, so quotes are ordinary letters.
    // findNext starts after the current row and does not wrap. `found` reports a match,
    // which then is the current row; without a match the current row stays.
    DbResult findFirst(Field field, const std::string& text, bool& found);
    DbResult findNext(Field field, const std::string& text, bool& found);

    Pending pending() const { return pending_; }
    // Starts a blank new row; the row current before is current again after update.
    DbResult addNew();
    // Opens the current row for changes.
    DbResult edit();
    // Stores the pending row from `texts` (one per column). Empty texts store no value
    // in numeric columns. On failure the row stays pending.
    DbResult update(const std::array<std::string, kFieldCount>& texts);
    // Discards a pending add or edit; the current row is shown again as stored.
    void cancelPending();
    // Deletes the current row at once, then moves to the next row, or to the new last
    // row when the deleted row was last.
    DbResult remove();

    // Reads the current row again from the file.
    DbResult refresh();

    // The open connection, for bulk work (import, export) on the same file.
    sqlite3* connection() const { return db_; }

private:
    DbResult moveTo(const char* where, const char* order, std::optional<std::int64_t> id, bool& moved);
    DbResult load(std::int64_t id, bool& exists);
    DbResult find(Field field, const std::string& text, std::optional<std::int64_t> after, bool& found);
    DbResult engineError() const;
    void clearCurrent();

    sqlite3* db_ = nullptr;
    std::string path_;
    bool openedReadOnly_ = false;
    std::optional<std::int64_t> currentId_;
    FieldTexts current_{};
    Pending pending_ = Pending::None;
    std::optional<std::int64_t> beforeAdd_;
};

// Error numbers of failures the cursor reports itself (SQLite's own numbering).
inline constexpr int kErrorNoCurrentRow = 12;  // SQLITE_NOTFOUND
inline constexpr int kErrorNothingPending = 21;  // SQLITE_MISUSE
inline constexpr int kErrorReadOnly = 8;  // SQLITE_READONLY
inline constexpr int kErrorNotOpen = 14;  // SQLITE_CANTOPEN

}  // namespace tarnwick::bulletdb
