#pragma once
// A cursor on the bullet table: one current row, moves in the table's stored order (key
// order), a position marker, criterion search, and add / edit / update / delete. It is
// made by a BulletTable and works through that table's connection; each window holds
// its own. Every move reads the row afresh from the file, so a change made through
// another cursor (or another program) is seen after the next move. A change never
// overwrites or deletes a row that another cursor has changed or deleted since this one
// read it: that is reported as a conflict instead.
//
// A failure carries an error number: the engine's own, or one of the kError numbers
// below.
#include <cstdint>
#include <optional>
#include <string>

#include "BulletRecord.h"
#include "Result.h"

struct sqlite3;

namespace tarnwick::bulletdb {

class BulletTable;

class BulletCursor {
public:
    enum class Pending { None, Add, Edit };

    // A cursor on no table (no file could be opened): it has no rows, its moves do
    // nothing, and every change reports that the database is not open.
    BulletCursor() = default;
    BulletCursor(BulletCursor&&) = default;
    BulletCursor& operator=(BulletCursor&&) = default;
    BulletCursor(const BulletCursor&) = delete;
    BulletCursor& operator=(const BulletCursor&) = delete;

    bool isOpen() const { return db_ != nullptr; }

    // The current row: what the field boxes show. While an add is pending it is blank.
    bool hasCurrent() const { return currentId_.has_value(); }
    const FieldTexts& current() const { return current_; }
    std::optional<std::int64_t> bookmark() const { return currentId_; }

    // The navigation bar. Previous on the first row and next on the last row leave the
    // current row where it is. A pending add or edit is discarded first.
    Status moveFirst();
    Status movePrevious();
    Status moveNext();
    Status moveLast();
    // Makes the marked row current again; if it has been deleted meanwhile, the row
    // after it (or before it, at the end of the table).
    Status returnTo(std::optional<std::int64_t> mark);

    // Whole-field equality with `text` as given, letter case ignored in every script
    // (compareFolded). The text is bound as a parameter, never pasted into the
    // statement, so quotes are ordinary letters.
    // findNext starts after the current row and does not wrap. True for a match, which
    // then is the current row; without a match the current row stays.
    Result<bool> findFirst(Field field, const std::string& text);
    Result<bool> findNext(Field field, const std::string& text);

    Pending pending() const { return pending_; }
    // Add, Edit and Delete first refuse a damaged file and give a table without the key
    // its key (prepareForChanges).
    // Starts a blank new row; the row current before is current again after update.
    Status addNew();
    // Opens the current row for changes, reading it afresh: what it holds now is what
    // Update expects to find. A row deleted meanwhile is reported (kErrorDeletedElsewhere)
    // and its neighbour becomes current.
    Status edit();
    // Stores the pending row from `texts` (one per column). Empty texts store no value
    // in numeric columns. On failure the row stays pending. An edited row that another
    // program has changed or deleted since edit() read it is left alone: the error's
    // code is kErrorChangedElsewhere or kErrorDeletedElsewhere, and the caller decides
    // with keepPendingOverStored() or cancelPending().
    Status update(const std::array<std::string, kFieldCount>& texts);
    // After such a conflict: a changed row is read again, so the next update stores the
    // pending texts over the other program's change; a deleted row turns the edit into
    // an add, so the next update stores the texts as a new row. The row stays pending.
    Status keepPendingOverStored();
    // Discards a pending add or edit; the current row is shown again as stored, or its
    // neighbour when it has been deleted meanwhile.
    void cancelPending();
    // Deletes the current row at once, then moves to the next row, or to the new last
    // row when the deleted row was last. A row that another program has changed since
    // it was read is not deleted (kErrorChangedElsewhere; the stored row becomes
    // current); one already deleted is reported (kErrorDeletedElsewhere) and the cursor
    // moves on as after a delete.
    Status remove();

    // Reads the current row again from the file, or moves to its neighbour when it has
    // been deleted. Does nothing while an add or edit is pending.
    Status refresh();

private:
    friend class BulletTable;
    explicit BulletCursor(sqlite3* db) : db_(db) {}

    // One stored value exactly as the file holds it: what a change compares.
    struct StoredValue {
        int type = 0;  // SQLITE_NULL, SQLITE_FLOAT (integers too), SQLITE_TEXT or SQLITE_BLOB
        double number = 0;
        std::string bytes;
        bool operator==(const StoredValue&) const = default;
    };
    using StoredRow = std::array<StoredValue, kFieldCount>;
    static FieldTexts textsOf(const StoredRow& row);

    // Each gives whether the row was there (moved to, loaded, found).
    Result<bool> moveTo(const char* where, const char* order, std::optional<std::int64_t> id);
    Result<bool> load(std::int64_t id);
    Result<std::optional<StoredRow>> read(std::int64_t id) const;
    Result<bool> find(Field field, const std::string& text, std::optional<std::int64_t> after);
    Status moveToNeighbour(std::int64_t gone);
    Status startChange();
    Status store(const std::array<std::string, kFieldCount>& texts);
    Error engineError() const;
    void clearCurrent();

    sqlite3* db_ = nullptr;  // the table's connection, borrowed
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
