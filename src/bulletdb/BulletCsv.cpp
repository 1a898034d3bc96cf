#include "BulletCsv.h"

#include <sqlite3.h>

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "AtomicFile.h"
#include "BulletSchema.h"
#include "BulletTable.h"
#include "CsvReader.h"
#include "NumberText.h"
#include "SqliteStatement.h"
#include "Utf8Text.h"

namespace tarnwick::bulletdb {

namespace {

// Quoted (as a statement quotes a name) only when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    return text.find_first_of(",\"\r\n") == std::string::npos ? text : bulletdb::quoted(text);
}

std::string headerLine() {
    std::string header;
    for (std::size_t i = 0; i < kFieldCount; ++i) header += (i ? "," : "") + csvField(kColumnNames[i]);
    return header;
}

// The shortest text that reads back as exactly this double.
std::string exactText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// A fault of the CSV side; the file forms name the CSV file in front.
Error csvFault(const std::string& csvName, const std::string& message) {
    return Error{csvName.empty() ? message : csvName + ": " + message};
}

// A fault of the database, named with its file: `cause`, or else the connection's last
// failure.
Error databaseFault(sqlite3* db, const Status& cause = {}) {
    const Error engine = cause ? engineError(db) : cause.failure();
    return Error{"the bullet database " + databaseFile(db) + ": " + engine.message, engine.code};
}

// A field quoted in a message, cut short when long.
std::string shown(const std::string& text) {
    constexpr std::size_t kLongest = 40;
    if (text.size() <= kLongest) return text;
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    return text.substr(0, cut) + "...";
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// The values to store for a sound row of a text with `columns` columns (the optional
// ones may be left out), or why it cannot be stored.
Result<RowValues> rowValues(const CsvRecord& record, std::size_t columns) {
    const std::vector<std::string>& fields = record.fields;
    if (fields.size() != columns)
        return Error{"expected " + std::to_string(columns) + " fields, found " + std::to_string(fields.size())};
    for (std::size_t i = 0; i < columns; ++i) {
        const std::string name = quoted(kColumnNames[i]);
        if (fields[i].find('\0') != std::string::npos) return Error{name + " holds a NUL byte"};
        if (!isValidUtf8(fields[i])) return Error{name + " is not UTF-8 text"};
    }
    bool empty = true;
    for (const std::string& field : fields) empty = empty && field.empty();
    if (empty) return Error{"the row is empty"};
    if (blank(fields[index(Field::Manufacturer)]) || blank(fields[index(Field::StockNumber)]))
        return Error{"a bullet needs a maker and a stock number"};
    RowValues row;
    for (std::size_t i = 0; i < columns; ++i) {
        if (!isNumeric(i)) {
            row[i] = fields[i];
            continue;
        }
        const std::string name = quoted(kColumnNames[i]);
        // No flight can use a mass or G1 coefficient of 0 or none; a break velocity of 0,
        // or none, only moves the edge of a band; many bullets have no published G7 or
        // length.
        const bool breakVelocity = i == index(Field::LowBreakVelocity) || i == index(Field::HighBreakVelocity);
        if (fields[i].empty()) {
            if (breakVelocity || i >= kLegacyFieldCount) continue;
            return Error{name + " has no value"};
        }
        const std::optional<double> number = readStrict(fields[i]);
        if (!number) return Error{name + " is not a number: " + shown(fields[i])};
        if (breakVelocity && *number < 0) return Error{name + " is below 0: " + shown(fields[i])};
        if (!breakVelocity && !(*number > 0)) return Error{name + " is not greater than 0: " + shown(fields[i])};
        row[i] = *number;
    }
    return row;
}

// The number of columns a header line names: all of them, or the first ones without
// some of the optional columns, as files written before them do; 0 when it is neither.
std::size_t headerColumns(const std::vector<std::string>& fields) {
    if (fields.size() > kFieldCount || fields.size() < kLegacyFieldCount) return 0;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i] != kColumnNames[i]) return 0;
    return fields.size();
}

// An index for finding a bullet that is already stored, for the import only: it is
// made inside the import's transaction and dropped before the commit, so the file's
// schema stays as it was.
constexpr const char* kCreateImportIndex =
    "CREATE INDEX \"Bullets by maker and stock number\" ON Bullets (Manufacturer, StockNumber)";
constexpr const char* kDropImportIndex = "DROP INDEX \"Bullets by maker and stock number\"";
constexpr const char* kFindStored =
    "SELECT EXISTS (SELECT 1 FROM Bullets WHERE Manufacturer = ?1 AND StockNumber = ?2)";

// The export without its file: the header and every row of `Bullets`.
Result<int> exportRows(sqlite3* db, std::ostream& out) {
    Statement stmt(db, "SELECT " + selectColumnList(db) + " FROM Bullets ORDER BY rowid");
    if (!stmt.prepared()) return databaseFault(db);
    out << headerLine() << "\r\n";
    int rows = 0;
    int rc = SQLITE_ROW;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            const int column = static_cast<int>(i);
            if (i) out << ',';
            const int type = sqlite3_column_type(stmt.get(), column);
            if (type == SQLITE_NULL) continue;
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
                out << exactText(sqlite3_column_double(stmt.get(), column));
            } else {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), column));
                out << csvField(std::string(text ? text : "",
                                            static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), column))));
            }
        }
        out << "\r\n";
        ++rows;
    }
    if (rc != SQLITE_DONE) return databaseFault(db);
    if (!out) return Error{"the file could not be written"};
    return rows;
}

// The import; a fault of the text is named with `csvName` (none for a plain stream).
Result<CsvCounts> importRows(sqlite3* db, std::istream& in, const std::string& csvName) {
    if (Status refused = prepareForChanges(db); !refused) return refused.failure();
    CsvReader reader(in);
    CsvRecord record;
    if (!reader.next(record))
        return csvFault(csvName, reader.problem().empty() ? "line 1: the header line is missing" : reader.problem());
    const std::size_t columns = headerColumns(record.fields);
    if (columns == 0)
        return csvFault(csvName, "line " + std::to_string(record.line) + ": the header must be " + headerLine() +
                                     " (the last two columns may be left out)");

    // Every row is stored as it is read, inside one transaction: a bad row further on
    // rolls all of them back.
    Transaction transaction(db);
    if (!transaction.started()) return databaseFault(db, transaction.started());
    if (sqlite3_exec(db, kCreateImportIndex, nullptr, nullptr, nullptr) != SQLITE_OK) return databaseFault(db);
    CsvCounts counts;
    {
        Statement stored(db, kFindStored);
        RowInsert insert(db);
        if (!stored.prepared()) return databaseFault(db);
        while (reader.next(record)) {
            const Result<RowValues> row = rowValues(record, columns);
            if (!row) return csvFault(csvName, "line " + std::to_string(record.line) + ": " + row.error());
            stored.reset();
            stored.bindText(1, record.fields[index(Field::Manufacturer)]);
            stored.bindText(2, record.fields[index(Field::StockNumber)]);
            if (stored.step() != SQLITE_ROW) return databaseFault(db);
            if (sqlite3_column_int(stored.get(), 0) != 0) {
                ++counts.skipped;
                continue;
            }
            if (const Status inserted = insert.insert(*row); !inserted) return databaseFault(db, inserted);
            ++counts.rows;
        }
        if (!reader.problem().empty()) return csvFault(csvName, reader.problem());
    }
    if (sqlite3_exec(db, kDropImportIndex, nullptr, nullptr, nullptr) != SQLITE_OK) return databaseFault(db);
    if (const Status committed = transaction.commit(); !committed) return databaseFault(db, committed);
    return counts;
}

}  // namespace

Result<int> BulletTable::exportCsv(std::ostream& out) { return exportRows(db_.get(), out); }

Result<CsvCounts> BulletTable::importCsv(std::istream& in) { return importRows(db_.get(), in, {}); }

Result<int> BulletTable::exportCsvFile(const std::string& csvPath) {
    std::ostringstream out;
    Result<int> rows = exportRows(db_.get(), out);
    if (!rows) return rows;
    if (const Status written = files::writeFileAtomically(csvPath, out.str()); !written) return written.failure();
    return rows;
}

Result<CsvCounts> BulletTable::importCsvFile(const std::string& csvPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(csvPath, error);
    if (error) return csvFault(csvPath, "cannot be read: " + error.message());
    if (fs::is_directory(status)) return csvFault(csvPath, "is a folder, not a CSV file");
    // A pipe is read as it comes; a device (/dev/zero, say) never ends a line.
    if (!fs::is_regular_file(status) && !fs::is_fifo(status))
        return csvFault(csvPath, "is a device or special file, not a CSV file");
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) return csvFault(csvPath, std::string("cannot be read: ") + std::strerror(errno));
    try {
        return importRows(db_.get(), in, csvPath);
    } catch (const std::exception& e) {  // out of memory, say: nothing was stored
        return csvFault(csvPath, std::string("cannot be imported: ") + e.what());
    }
}

std::string importSummary(const CsvCounts& counts) {
    std::string text = std::to_string(counts.rows) + " bullets imported";
    if (counts.skipped > 0) text += ", " + std::to_string(counts.skipped) + " already in the table skipped";
    return text;
}

Result<CsvCounts> BulletTable::createFromCsv(const std::string& csvPath, const std::string& dbPath) {
    // SQLite fills a temporary file of the helper's, which then takes the name whole.
    files::AtomicFile file(dbPath);
    if (const Status opened = file.open(); !opened) return Error{"cannot create " + opened.error()};
    Result<CsvCounts> counts = [&]() -> Result<CsvCounts> {
        Result<Connection> db = openConnection(file.temporaryPath(), SQLITE_OPEN_READWRITE);
        if (!db) return Error{"cannot create " + dbPath + ": " + db.error()};
        if (const Status created = createBulletTable(db->get()); !created) return created.failure();
        return BulletTable(std::move(*db), dbPath).importCsvFile(csvPath);
    }();  // the connection is closed here, before the file takes its name
    if (!counts) return counts;
    if (const Status written = file.commit(); !written) return Error{"cannot write " + written.error()};
    return counts;
}

}  // namespace tarnwick::bulletdb
