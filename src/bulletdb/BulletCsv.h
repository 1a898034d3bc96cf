#pragma once
// The bullet table as CSV text: one header line naming the ten columns exactly as the
// table does, then one line per row in the table's stored order. Fields holding a
// comma, a double quote or a line break are quoted, with quotes doubled. Numeric
// fields hold a plain decimal number or nothing (no value).
#include <iosfwd>
#include <string>

struct sqlite3;

namespace tarnwick::bulletdb {

struct CsvOutcome {
    bool ok = false;
    int rows = 0;          // rows written or stored
    std::string message;   // why it failed; for a malformed row it starts "line N: "
};

// Writes the header and every row of `Bullets`.
CsvOutcome exportBulletCsv(sqlite3* db, std::ostream& out);

// Reads the whole text first; a malformed row is reported with its line number and
// nothing is stored. Otherwise appends every row in one transaction, after the rows
// already in the table.
CsvOutcome importBulletCsv(sqlite3* db, std::istream& in);

// File forms of the two. Export replaces the file whole or not at all (AtomicFile): a
// failure never leaves half a file, and a device or folder at the path is refused.
CsvOutcome exportBulletCsvFile(sqlite3* db, const std::string& csvPath);
CsvOutcome importBulletCsvFile(sqlite3* db, const std::string& csvPath);

// Builds a new database file holding the table and the rows of the CSV file, in their
// order. The file appears under its name only when complete (AtomicFile).
CsvOutcome createBulletDatabase(const std::string& csvPath, const std::string& dbPath);

}  // namespace tarnwick::bulletdb
