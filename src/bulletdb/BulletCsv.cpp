#include "BulletCsv.h"

#include <sqlite3.h>

#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "AtomicFile.h"
#include "BulletCursor.h"
#include "NumberText.h"
#include "SqliteStatement.h"

namespace tarnwick::bulletdb {

namespace {

struct CsvRecord {
    int line = 0;  // where the record starts, counting from 1
    std::vector<std::string> fields;
};

// Splits CSV text into records; quoted fields may hold commas, doubled quotes and line
// breaks. Line ends may be LF or CR LF. Blank lines are skipped.
bool splitRecords(std::istream& in, std::vector<CsvRecord>& records, std::string& problem) {
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // a byte-order mark from spreadsheet programs
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool quotedField = false;
        bool afterQuote = false;
        bool endOfRecord = false;
        while (!endOfRecord) {
            if (i >= text.size()) {
                if (quotedField) {
                    problem = "line " + std::to_string(record.line) + ": a quoted field is not closed";
                    return false;
                }
                record.fields.push_back(std::move(field));
                break;
            }
            const char c = text[i++];
            if (quotedField) {
                if (c == '"') {
                    if (i < text.size() && text[i] == '"') {
                        field += '"';
                        ++i;
                    } else {
                        quotedField = false;
                        afterQuote = true;
                    }
                } else {
                    if (c == '\n') ++line;
                    field += c;
                }
                continue;
            }
            if (c == ',') {
                record.fields.push_back(std::move(field));
                field.clear();
                afterQuote = false;
            } else if (c == '\n' || (c == '\r' && i < text.size() && text[i] == '\n')) {
                if (c == '\r') ++i;
                ++line;
                record.fields.push_back(std::move(field));
                endOfRecord = true;
            } else if (c == '"' && field.empty() && !afterQuote) {
                quotedField = true;
            } else if (afterQuote) {
                problem = "line " + std::to_string(line) + ": text after a closing quote";
                return false;
            } else {
                field += c;
            }
        }
        if (record.fields.size() == 1 && record.fields[0].empty()) continue;  // blank line
        records.push_back(std::move(record));
    }
    return true;
}

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

DbError lastError(sqlite3* db) { return DbError{sqlite3_errcode(db), sqlite3_errmsg(db)}; }

CsvOutcome failure(std::string message) {
    CsvOutcome outcome;
    outcome.message = std::move(message);
    return outcome;
}

}  // namespace

CsvOutcome exportBulletCsv(sqlite3* db, std::ostream& out) {
    if (!db) return failure("the bullet database is not open");
    Statement stmt(db, "SELECT " + quotedColumnList() + " FROM Bullets ORDER BY rowid");
    if (!stmt.prepared()) return failure(lastError(db).description);
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
                out << plainText(sqlite3_column_double(stmt.get(), column));
            } else {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), column));
                out << csvField(std::string(text ? text : "",
                                            static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), column))));
            }
        }
        out << "\r\n";
        ++outcome.rows;
    }
    if (rc != SQLITE_DONE) return failure(lastError(db).description);
    if (!out) return failure("the file could not be written");
    outcome.ok = true;
    return outcome;
}

CsvOutcome importBulletCsv(sqlite3* db, std::istream& in) {
    if (!db) return failure("the bullet database is not open");
    std::vector<CsvRecord> records;
    std::string problem;
    if (!splitRecords(in, records, problem)) return failure(problem);
    if (records.empty()) return failure("line 1: the header line is missing");

    const CsvRecord& header = records.front();
    bool headerMatches = header.fields.size() == kFieldCount;
    for (std::size_t i = 0; headerMatches && i < kFieldCount; ++i) headerMatches = header.fields[i] == kColumnNames[i];
    if (!headerMatches) return failure("line " + std::to_string(header.line) + ": the header must be " + headerLine());

    // Check every row before storing any, so a bad file stores nothing.
    std::vector<std::vector<std::optional<double>>> numbers;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string where = "line " + std::to_string(record.line) + ": ";
        if (record.fields.size() != kFieldCount)
            return failure(where + "expected " + std::to_string(kFieldCount) + " fields, found " +
                           std::to_string(record.fields.size()));
        std::vector<std::optional<double>> rowNumbers(kFieldCount);
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            if (!isNumeric(i) || record.fields[i].empty()) continue;
            rowNumbers[i] = readStrict(record.fields[i]);
            if (!rowNumbers[i])
                return failure(where + "\"" + kColumnNames[i] + "\" is not a number: " + record.fields[i]);
        }
        numbers.push_back(std::move(rowNumbers));
    }

    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failure(lastError(db).description);
    std::string sql = "INSERT INTO Bullets (" + quotedColumnList() + ") VALUES (?1";
    for (std::size_t i = 2; i <= kFieldCount; ++i) sql += ", ?" + std::to_string(i);
    sql += ")";
    CsvOutcome outcome;
    {
        Statement stmt(db, sql);
        if (!stmt.prepared()) outcome.message = lastError(db).description;
        for (std::size_t r = 1; stmt.prepared() && r < records.size(); ++r) {
            sqlite3_reset(stmt.get());
            for (std::size_t i = 0; i < kFieldCount; ++i) {
                const int position = static_cast<int>(i + 1);
                if (!isNumeric(i))
                    stmt.bindText(position, records[r].fields[i]);
                else if (const auto& value = numbers[r - 1][i])
                    sqlite3_bind_double(stmt.get(), position, *value);
                else
                    stmt.bindNull(position);
            }
            if (stmt.step() != SQLITE_DONE) {
                outcome.message = "line " + std::to_string(records[r].line) + ": " + lastError(db).description;
                break;
            }
            ++outcome.rows;
        }
    }
    if (!outcome.message.empty()) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        outcome.rows = 0;
        return outcome;
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        CsvOutcome failed = failure(lastError(db).description);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return failed;
    }
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
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) return failure("cannot read " + csvPath);
    return importBulletCsv(db, in);
}

CsvOutcome createBulletDatabase(const std::string& csvPath, const std::string& dbPath) {
    // SQLite fills a temporary file of the helper's, which then takes the name whole.
    files::AtomicFile file(dbPath);
    if (const files::FileResult opened = file.open(); !opened.ok()) return failure("cannot create " + opened.message());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.temporaryPath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        CsvOutcome failed = failure("cannot create " + dbPath + ": " + lastError(db).description);
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
