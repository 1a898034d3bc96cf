#pragma once
// The bullet table as CSV text: one header line naming the ten columns exactly as the
// table does, then one line per row in the table's stored order. Fields holding a
// comma, a double quote or a line break are quoted, with quotes doubled. Numeric
// fields hold a decimal number or nothing (no value); an export writes each number in
// the shortest form that reads back as the same double, so export, import and export
// again give the same file.
#include <iosfwd>
#include <string>

struct sqlite3;

namespace tarnwick::bulletdb {

struct CsvOutcome {
    bool ok = false;
    int rows = 0;          // rows written or stored
    int skipped = 0;       // rows of an import whose maker and stock number were already there
    std::string message;   // why it failed; for a malformed row it starts "line N: "
    bool databaseFault = false;  // the message is about the database (and names it), not the CSV text
};

// Writes the header and every row of `Bullets`.
CsvOutcome exportBulletCsv(sqlite3* db, std::ostream& out);

// Reads the text row by row and stores the rows, in one transaction, after the rows
// already in the table; nothing is stored unless the whole text is read and every row
// is sound. A row is refused, naming its line, when it is empty, lacks a maker or a
// stock number, has a mass or ballistic coefficient that is not a number greater than
// 0 or a break velocity below 0, or holds a NUL byte or text that is not UTF-8. A row
// whose maker and stock number (exactly) are already in the table, or earlier in the
// text, is skipped and counted. A damaged database is refused (prepareForChanges).
CsvOutcome importBulletCsv(sqlite3* db, std::istream& in);

// File forms of the two. Export replaces the file whole or not at all (AtomicFile): a
// failure never leaves half a file, and a device or folder at the path is refused.
// Import reads only a regular file or a pipe: a folder or a device is refused.
CsvOutcome exportBulletCsvFile(sqlite3* db, const std::string& csvPath);
CsvOutcome importBulletCsvFile(sqlite3* db, const std::string& csvPath);

// "40 bullets imported, 3 already in the table skipped" (without the second part when
// none was skipped).
std::string importSummary(const CsvOutcome& outcome);
// A failure in words, naming where it lies: the database file and the cause for a
// fault of the database; the CSV file (and the line, where there is one) otherwise.
std::string failureText(const CsvOutcome& outcome, const std::string& csvPath);

// Builds a new database file holding the table and the rows of the CSV file, in their
// order. The file appears under its name only when complete (AtomicFile).
CsvOutcome createBulletDatabase(const std::string& csvPath, const std::string& dbPath);

}  // namespace tarnwick::bulletdb
