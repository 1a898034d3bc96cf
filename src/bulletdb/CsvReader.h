#pragma once
// Reads CSV text one record at a time, so a file of any length needs only one row in
// memory. Quoted fields may hold commas, doubled quotes and line breaks; line ends may
// be LF or CR LF; blank lines are skipped; a byte-order mark at the start (as
// spreadsheet programs write it) is dropped.
#include <istream>
#include <string>
#include <vector>

namespace tarnwick::bulletdb {

struct CsvRecord {
    int line = 0;  // where the record starts, counting from 1
    std::vector<std::string> fields;
};

class CsvReader {
public:
    // The longest record read: a longer one is a fault (a file of zeros, say, or a quote
    // that is never closed, would otherwise be read into memory whole).
    static constexpr std::size_t kMaxRecordBytes = 64 * 1024;

    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record. False at the end of the text, or on a fault: problem() then says
    // what, starting "line N: " where a line is concerned.
    bool next(CsvRecord& record);
    const std::string& problem() const { return problem_; }

private:
    int get();   // the next byte, or -1 at the end (or when the stream fails)
    int peek();

    std::istream& in_;
    std::vector<char> buffer_ = std::vector<char>(kMaxRecordBytes);
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool started_ = false;
    int line_ = 1;
    std::string problem_;
};

}  // namespace tarnwick::bulletdb
