#pragma once
// A cursor on the bullet table `Bullets` of one SQLite file: one current row, moves in
// the table's stored order (key order), a position marker, criterion search, and
// add / edit / update / delete. Each window holds its own cursor; several cursors (and
// several programs) may have the same file open at once. Every move reads the row
// afresh from the file, so a change made through another cursor is seen after the next
// move. A change never overwrites or deletes a row that another cursor has changed or
// deleted since this one read it: that is reported as a conflict instead.
#include <cstdint>
#include <optional>
#include <string>

#include "BulletRecord.h"
#include "BulletSchema.h"

struct sqlite3;

namespace tarnwick::bulletdb {

class BulletCursor {
public:
    enum class Access { ReadOnly, ReadWrite };
    enum class Pending { None, Add, Edit };

    BulletCursor() = default;
    ~BulletCursor();
    BulletCursor(const BulletCursor&) = delete;
    BulletCursor& operator=(const BulletCursor&) = delete;

    // Opens the file (never creating it) and makes the first row current. A file that
    // is missing, is no database, has no table `Bullets` or lacks one of its ten columns
    // is refused; the cursor then stays closed. ReadWrite on a file that cannot be
    // written opens it read-only. Opening changes nothing in the file.
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

    // Whole-field equality with `text` as given, letter case ignored in every script
    // (compareFolded). The text is bound as a parameter, never pasted into the
    // statement, so quotes are ordinary letters.
    // findNext starts after the current row and does not wrap. `found` reports a match,
    // which then is the current row; without a match the current row stays.
    DbResult findFirst(Field field, const std::string& text, bool& found);
    DbResult findNext(Field field, const std::string& text, bool& found);

    Pending pending() const { return pending_; }
    // Add, Edit and Delete first refuse a damaged file and give a table without the key
    // its key (prepareForChanges).
    // Starts a blank new row; the row current before is current again after update.
    DbResult addNew();
    // Opens the current row for changes, reading it afresh: what it holds now is what
    // Update expects to find. A row deleted meanwhile is reported (kErrorDeletedElsewhere)
    // and its neighbour becomes current.
    DbResult edit();
    // Stores the pending row from `texts` (one per column). Empty texts store no value
    // in numeric columns. On failure the row stays pending. An edited row that another
    // program has changed or deleted since edit() read it is left alone: the error's
    // code is kErrorChangedElsewhere or kErrorDeletedElsewhere, and the caller decides
    // with keepPendingOverStored() or cancelPending().
    DbResult update(const std::array<std::string, kFieldCount>& texts);
    // After such a conflict: a changed row is read again, so the next update stores the
    // pending texts over the other program's change; a deleted row turns the edit into
    // an add, so the next update stores the texts as a new row. The row stays pending.
    DbResult keepPendingOverStored();
    // Discards a pending add or edit; the current row is shown again as stored, or its
    // neighbour when it has been deleted meanwhile.
    void cancelPending();
    // Deletes the current row at once, then moves to the next row, or to the new last
    // row when the deleted row was last. A row that another program has changed since
    // it was read is not deleted (kErrorChangedElsewhere; the stored row becomes
    // current); one already deleted is reported (kErrorDeletedElsewhere) and the cursor
    // moves on as after a delete.
    DbResult remove();

    // Reads the current row again from the file, or moves to its neighbour when it has
    // been deleted. Does nothing while an add or edit is pending.
    DbResult refresh();

    // The open connection, for bulk work (import, export) on the same file.
    sqlite3* connection() const { return db_; }

private:
    // One stored value exactly as the file holds it: what a change compares.
    struct StoredValue {
        int type = 0;  // SQLITE_NULL, SQLITE_FLOAT (integers too), SQLITE_TEXT or SQLITE_BLOB
        double number = 0;
        std::string bytes;
        bool operator==(const StoredValue&) const = default;
    };
    using StoredRow = std::array<StoredValue, kFieldCount>;
    static FieldTexts textsOf(const StoredRow& row);

    DbResult moveTo(const char* where, const char* order, std::optional<std::int64_t> id, bool& moved);
    DbResult load(std::int64_t id, bool& exists);
    DbResult read(std::int64_t id, StoredRow& row, bool& exists) const;
    DbResult moveToNeighbour(std::int64_t gone);
    DbResult find(Field field, const std::string& text, std::optional<std::int64_t> after, bool& found);
    DbResult startChange();
    DbResult store(const std::array<std::string, kFieldCount>& texts);
    DbResult engineError() const;
    void clearCurrent();

    sqlite3* db_ = nullptr;
    std::string path_;
    bool openedReadOnly_ = false;
    std::optional<std::int64_t> currentId_;
    FieldTexts current_{};
    StoredRow stored_{};  // the current row as read, for the conflict check
    Pending pending_ = Pending::None;
    std::optional<std::int64_t> beforeAdd_;
};

// Error numbers of failures the cursor reports itself (SQLite's own numbering).
inline constexpr int kErrorNoCurrentRow = 12;  // SQLITE_NOTFOUND
inline constexpr int kErrorNothingPending = 21;  // SQLITE_MISUSE
inline constexpr int kErrorReadOnly = 8;  // SQLITE_READONLY
inline constexpr int kErrorNotOpen = 14;  // SQLITE_CANTOPEN
// Conflicts with another program's change: numbers beyond SQLite's own.
inline constexpr int kErrorChangedElsewhere = 1001;
inline constexpr int kErrorDeletedElsewhere = 1002;

}  // namespace tarnwick::bulletdb
