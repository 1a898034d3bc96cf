#include "CsvReader.h"

#include <algorithm>

namespace tarnwick::bulletdb {

int CsvReader::peek() {
    if (position_ == filled_) {
        // istream::read turns a failing read (a folder, an I/O error) into badbit
        // rather than an exception.
        if (!in_.good()) return -1;
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        filled_ = static_cast<std::size_t>(in_.gcount());
        position_ = 0;
        if (filled_ == 0) return -1;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

int CsvReader::get() {
    const int c = peek();
    if (c >= 0) ++position_;
    return c;
}

bool CsvReader::next(CsvRecord& record) {
    if (!problem_.empty()) return false;
    if (!started_) {
        started_ = true;
        static constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
        const bool marked = peek() >= 0 && filled_ - position_ >= 3 &&
                            std::equal(kByteOrderMark, kByteOrderMark + 3, buffer_.begin() + position_);
        if (marked) position_ += 3;
    }
    for (;;) {
        record.line = line_;
        record.fields.clear();
        std::string field;
        std::size_t bytes = 0;
        bool quotedField = false;
        bool afterQuote = false;
        bool any = false;  // anything read for this record, a line end included
        for (;;) {
            const int c = get();
            if (c < 0) {
                if (in_.bad()) {
                    problem_ = "line " + std::to_string(line_) + ": the file could not be read further";
                    return false;
                }
                if (quotedField) {
                    problem_ = "line " + std::to_string(record.line) + ": a quoted field is not closed";
                    return false;
                }
                if (!any) return false;  // the end of the text
                record.fields.push_back(std::move(field));
                break;
            }
            any = true;
            if (++bytes > kMaxRecordBytes) {
                problem_ = "line " + std::to_string(record.line) + ": the row is longer than 64 KB";
                return false;
            }
            if (quotedField) {
                if (c == '"') {
                    if (peek() == '"') {
                        field += '"';
                        get();
                    } else {
                        quotedField = false;
                        afterQuote = true;
                    }
                } else {
                    if (c == '\n') ++line_;
                    field += static_cast<char>(c);
                }
                continue;
            }
            if (c == ',') {
                record.fields.push_back(std::move(field));
                field.clear();
                afterQuote = false;
            } else if (c == '\n' || (c == '\r' && peek() == '\n')) {
                if (c == '\r') get();
                ++line_;
                record.fields.push_back(std::move(field));
                break;
            } else if (c == '"' && field.empty() && !afterQuote) {
                quotedField = true;
            } else if (afterQuote) {
                problem_ = "line " + std::to_string(line_) + ": text after a closing quote";
                return false;
            } else {
                field += static_cast<char>(c);
            }
        }
        if (record.fields.size() == 1 && record.fields[0].empty()) continue;  // a blank line
        return true;
    }
}

}  // namespace tarnwick::bulletdb
