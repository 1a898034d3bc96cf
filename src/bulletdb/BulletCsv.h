#pragma once
// The bullet table as CSV text (BulletTable's import and export): one header line naming
// the twelve columns exactly as the table does, then one line per row in the table's
// stored order. An import also takes text without the last column, "Bullet Length", or
// without the last two ("G7 Ballistic Coefficient" too), as files written before them
// have; its rows then have no value there. Fields holding a comma, a double quote or a
// line break are quoted, with
// quotes doubled. Numeric fields hold a decimal number or nothing (no value); an export
// writes each number in the shortest form that reads back as the same double, so
// export, import and export again give the same file.
//
// An import reads the text row by row and stores the rows, in one transaction, after
// the rows already in the table; nothing is stored unless the whole text is read and
// every row is sound. A row is refused, naming its line ("line N: ..."), when it has
// not as many fields as the header, is empty, lacks a maker or a stock number, has a
// mass, ballistic coefficient or length that is not a number greater than 0 (the G7
// coefficient and the length may be empty) or a break velocity below 0, or holds a NUL byte or text that is not UTF-8. A row whose maker and stock number (exactly) are already in the
// table, or earlier in the text, is skipped and counted.
#include <string>

namespace tarnwick::bulletdb {

struct CsvCounts {
    int rows = 0;     // rows stored
    int skipped = 0;  // rows whose maker and stock number were already there
};

// "40 bullets imported, 3 already in the table skipped" (without the second part when
// none was skipped).
std::string importSummary(const CsvCounts& counts);

}  // namespace tarnwick::bulletdb
