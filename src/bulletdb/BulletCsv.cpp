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
#include "BulletCursor.h"
#include "CsvReader.h"
#include "NumberText.h"
#include "SqliteStatement.h"
#include "Utf8Text.h"

namespace tarnwick::bulletdb {

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
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

CsvOutcome failure(std::string message) {
    CsvOutcome outcome;
    outcome.message = std::move(message);
    return outcome;
}

// A fault of the database, named with its file; `description` from prepareForChanges
// names the file itself.
CsvOutcome databaseFailure(sqlite3* db, const std::string& description, bool namesTheFile = false) {
    CsvOutcome outcome =
        failure(namesTheFile ? description : "the bullet database " + databaseFile(db) + ": " + description);
    outcome.databaseFault = true;
    return outcome;
}

CsvOutcome engineFailure(sqlite3* db) { return databaseFailure(db, sqlite3_errmsg(db)); }

// A field quoted in a message, cut short when long.
std::string shown(const std::string& text) {
    constexpr std::size_t kLongest = 40;
    if (text.size() <= kLongest) return text;
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    return text.substr(0, cut) + "...";
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

using RowNumbers = std::array<std::optional<double>, kFieldCount>;

// Why a row cannot be stored, or an empty text; fills `numbers` for a sound row.
std::string rowProblem(const CsvRecord& record, RowNumbers& numbers) {
    const std::vector<std::string>& fields = record.fields;
    if (fields.size() != kFieldCount)
        return "expected " + std::to_string(kFieldCount) + " fields, found " + std::to_string(fields.size());
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const std::string name = quoted(kColumnNames[i]);
        if (fields[i].find('\0') != std::string::npos) return name + " holds a NUL byte";
        if (!isValidUtf8(fields[i])) return name + " is not UTF-8 text";
    }
    bool empty = true;
    for (const std::string& field : fields) empty = empty && field.empty();
    if (empty) return "the row is empty";
    if (blank(fields[index(Field::Manufacturer)]) || blank(fields[index(Field::StockNumber)]))
        return "a bullet needs a maker and a stock number";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        numbers[i].reset();
        if (!isNumeric(i)) continue;
        const std::string name = quoted(kColumnNames[i]);
        // No flight can use a mass or coefficient of 0 or none; a break velocity of 0, or
        // none, only moves the edge of a band.
        const bool breakVelocity = i == index(Field::LowBreakVelocity) || i == index(Field::HighBreakVelocity);
        if (fields[i].empty()) {
            if (breakVelocity) continue;
            return name + " has no value";
        }
        numbers[i] = readStrict(fields[i]);
        if (!numbers[i]) return name + " is not a number: " + shown(fields[i]);
        if (breakVelocity && *numbers[i] < 0) return name + " is below 0: " + shown(fields[i]);
        if (!breakVelocity && !(*numbers[i] > 0)) return name + " is not greater than 0: " + shown(fields[i]);
    }
    return {};
}

// An index for finding a bullet that is already stored, for the import only: it is
// made inside the import's transaction and dropped before the commit, so the file's
// schema stays as it was.
constexpr const char* kCreateImportIndex =
    "CREATE INDEX \"Bullets by maker and stock number\" ON Bullets (Manufacturer, StockNumber)";
constexpr const char* kDropImportIndex = "DROP INDEX \"Bullets by maker and stock number\"";
constexpr const char* kFindStored =
    "SELECT EXISTS (SELECT 1 FROM Bullets WHERE Manufacturer = ?1 AND StockNumber = ?2)";

}  // namespace

CsvOutcome exportBulletCsv(sqlite3* db, std::ostream& out) {
    if (!db) return failure("the bullet database is not open");
    Statement stmt(db, "SELECT " + quotedColumnList() + " FROM Bullets ORDER BY rowid");
    if (!stmt.prepared()) return engineFailure(db);
    out << headerLine() << "\r\n";
    CsvOutcome outcome;
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
        ++outcome.rows;
    }
    if (rc != SQLITE_DONE) return engineFailure(db);
    if (!out) return failure("the file could not be written");
    outcome.ok = true;
    return outcome;
}

CsvOutcome importBulletCsv(sqlite3* db, std::istream& in) {
    if (!db) return databaseFailure(db, "The bullet database is not open.", true);
    if (DbResult refused = prepareForChanges(db)) return databaseFailure(db, refused->description, true);
    CsvReader reader(in);
    CsvRecord record;
    if (!reader.next(record))
        return failure(reader.problem().empty() ? "line 1: the header line is missing" : reader.problem());
    bool headerMatches = record.fields.size() == kFieldCount;
    for (std::size_t i = 0; headerMatches && i < kFieldCount; ++i) headerMatches = record.fields[i] == kColumnNames[i];
    if (!headerMatches) return failure("line " + std::to_string(record.line) + ": the header must be " + headerLine());

    // Every row is stored as it is read, inside one transaction: a bad row further on
    // rolls all of them back.
    WriteTransaction transaction(db);
    if (!transaction.begun()) return engineFailure(db);
    if (sqlite3_exec(db, kCreateImportIndex, nullptr, nullptr, nullptr) != SQLITE_OK) return engineFailure(db);
    CsvOutcome outcome;
    {
        Statement stored(db, kFindStored);
        Statement insert(db, insertRowSql());
        if (!stored.prepared() || !insert.prepared()) return engineFailure(db);
        RowNumbers numbers;
        while (reader.next(record)) {
            const std::string problem = rowProblem(record, numbers);
            if (!problem.empty()) return failure("line " + std::to_string(record.line) + ": " + problem);
            sqlite3_reset(stored.get());
            stored.bindText(1, record.fields[index(Field::Manufacturer)]);
            stored.bindText(2, record.fields[index(Field::StockNumber)]);
            if (stored.step() != SQLITE_ROW) return engineFailure(db);
            if (sqlite3_column_int(stored.get(), 0) != 0) {
                ++outcome.skipped;
                continue;
            }
            sqlite3_reset(insert.get());
            for (std::size_t i = 0; i < kFieldCount; ++i) {
                const int position = static_cast<int>(i + 1);
                if (!isNumeric(i))
                    insert.bindText(position, record.fields[i]);
                else if (numbers[i])
                    sqlite3_bind_double(insert.get(), position, *numbers[i]);
                else
                    insert.bindNull(position);
            }
            if (insert.step() != SQLITE_DONE) return engineFailure(db);
            ++outcome.rows;
        }
        if (!reader.problem().empty()) return failure(reader.problem());
    }
    if (sqlite3_exec(db, kDropImportIndex, nullptr, nullptr, nullptr) != SQLITE_OK || !transaction.commit())
        return engineFailure(db);
    outcome.ok = true;
    return outcome;
}

CsvOutcome exportBulletCsvFile(sqlite3* db, const std::string& csvPath) {
    std::ostringstream out;
    CsvOutcome outcome = exportBulletCsv(db, out);
    if (!outcome.ok) return outcome;
    // The callers name the file; the reason is enough here.
    if (const files::FileResult written = files::writeFileAtomically(csvPath, out.str()); !written.ok())
        return failure(written.reason);
    return outcome;
}

CsvOutcome importBulletCsvFile(sqlite3* db, const std::string& csvPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(csvPath, error);
    if (error) return failure("cannot be read: " + error.message());
    if (fs::is_directory(status)) return failure("is a folder, not a CSV file");
    // A pipe is read as it comes; a device (/dev/zero, say) never ends a line.
    if (!fs::is_regular_file(status) && !fs::is_fifo(status))
        return failure("is a device or special file, not a CSV file");
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) return failure(std::string("cannot be read: ") + std::strerror(errno));
    try {
        return importBulletCsv(db, in);
    } catch (const std::exception& e) {  // out of memory, say: nothing was stored
        return failure(std::string("cannot be imported: ") + e.what());
    }
}

std::string importSummary(const CsvOutcome& outcome) {
    std::string text = std::to_string(outcome.rows) + " bullets imported";
    if (outcome.skipped > 0) text += ", " + std::to_string(outcome.skipped) + " already in the table skipped";
    return text;
}

std::string failureText(const CsvOutcome& outcome, const std::string& csvPath) {
    return outcome.databaseFault ? outcome.message : csvPath + ": " + outcome.message;
}

CsvOutcome createBulletDatabase(const std::string& csvPath, const std::string& dbPath) {
    // SQLite fills a temporary file of the helper's, which then takes the name whole.
    files::AtomicFile file(dbPath);
    if (const files::FileResult opened = file.open(); !opened.ok()) return failure("cannot create " + opened.message());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.temporaryPath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        CsvOutcome failed = failure("cannot create " + dbPath + ": " + std::string(sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        return failed;
    }
    CsvOutcome outcome;
    if (DbResult error = createBulletTable(db))
        outcome = failure(error->description);
    else
        outcome = importBulletCsvFile(db, csvPath);
    sqlite3_close_v2(db);
    if (!outcome.ok) return outcome;
    if (const files::FileResult written = file.commit(); !written.ok()) return failure("cannot write " + written.message());
    return outcome;
}

}  // namespace tarnwick::bulletdb
