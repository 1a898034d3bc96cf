#pragma once
// The bullet table `Bullets` of one SQLite file, through a connection of its own:
// opening the file (read-only or for changes), checking its columns, making it fit for
// changes, cursors on its rows, and CSV import and export. Several tables (and several
// programs) may have the same file open at once.
#include <iosfwd>
#include <string>

#include "BulletCsv.h"
#include "Result.h"
#include "SqliteStatement.h"

namespace tarnwick::bulletdb {

class BulletCursor;

class BulletTable {
public:
    enum class Access { ReadOnly, ReadWrite };

    // Opens the file, never creating it. A file that is missing, is no database, has
    // no table `Bullets` or lacks one of its ten older columns is refused; the failure
    // carries the engine's error number. ReadWrite on a file that cannot be written
    // opens it read-only. Opening changes nothing in the file: one without the G7
    // column reads as if no row had a value there until its first change adds it.
    static Result<BulletTable> open(const std::string& path, Access access);

    // Builds a new database file holding the table and the rows of the CSV file, in
    // their order. The file appears under its name only when complete (AtomicFile).
    static Result<CsvCounts> createFromCsv(const std::string& csvPath, const std::string& dbPath);

    const std::string& path() const { return path_; }
    // True when writing is impossible: opened read-only, or the file refused writing.
    bool readOnly() const;
    // True when the file has been removed or another file has taken its name since it
    // was opened. The connection then still reads the old, unlinked file, and SQLite
    // refuses every write to it with a misleading "read-only" error.
    bool fileMoved() const;

    // A cursor on the rows, with no current row until its first move. It borrows this
    // table's connection: the table must outlive it.
    BulletCursor cursor();

    // CSV text as BulletCsv.h describes it. Export gives the number of rows written.
    Result<int> exportCsv(std::ostream& out);
    // Import refuses a damaged database first (prepareForChanges); see BulletCsv.h for
    // what is stored and what is refused.
    Result<CsvCounts> importCsv(std::istream& in);
    // File forms of the two; a failure of the CSV side names the file first
    // ("<csvPath>: ..."), one of the database names the database instead. Export
    // replaces the file whole or not at all (AtomicFile): a failure never leaves half a
    // file, and a device or folder at the path is refused. Import reads only a regular
    // file or a pipe: a folder or a device is refused.
    Result<int> exportCsvFile(const std::string& csvPath);
    Result<CsvCounts> importCsvFile(const std::string& csvPath);

private:
    BulletTable(Connection db, std::string path) : db_(std::move(db)), path_(std::move(path)) {}

    Connection db_;
    std::string path_;
};

}  // namespace tarnwick::bulletdb
