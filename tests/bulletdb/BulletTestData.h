#pragma once
// Small bullet tables for the tests, written into temporary files.
#include <string>

#include "BulletCursor.h"
#include "BulletTable.h"

namespace bullettest {

// The header of files written before the G7 column; kRows and most CSV texts leave it
// and the length column out.
inline const char* kHeader =
    "Caliber,Manufacturer,Bullet Type,Bullet Mass,StockNumber,Low Ballistic Coefficient,"
    "Mid Ballistic Coefficient,High Ballistic Coefficient,Low Break Velocity,High Break Velocity\n";

// Row 3 has the caliber "2145", which is also the stock number of rows 1, 4 and 5.
inline const char* kRows =
    ".308,Sierra,SBT,165,2145,0.404,0.41,0.42,1600,2400\n"
    ".308,Hornady,BT,150,3033,0.338,0.338,0.338,1000,2000\n"
    "2145,Speer,SP,130,1111,0.3,0.3,0.3,1000,2000\n"
    ".224,Sierra,HP,52,2145,0.22,0.225,0.23,1800,2800\n"
    ".224,O'Brien,HP,55,2145,0.25,0.25,0.25,1000,2000,0.121,0.7\n";

// A folder of its own under the system's temporary folder, removed with all it holds.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string filePath(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Creates `path` holding the table and the rows of `csvRows` (no header; the G7 and
// length fields may be left out). ElevenColumns makes the table as files made before the
// length column have it, TenColumns as those made before the G7 column, Legacy as those
// made before the key column too.
enum class Schema { WithKey, ElevenColumns, TenColumns, Legacy };
void writeDatabase(const std::string& path, const std::string& csvRows = kRows, Schema schema = Schema::WithKey);

// Opens `path`; the test fails (with the reason) when it cannot be opened.
tarnwick::bulletdb::BulletTable openTable(
    const std::string& path,
    tarnwick::bulletdb::BulletTable::Access access = tarnwick::bulletdb::BulletTable::Access::ReadWrite);
// A cursor on `table` at its first row, as a window opens one.
tarnwick::bulletdb::BulletCursor firstRow(tarnwick::bulletdb::BulletTable& table);

// The whole table as CSV text (its export), read through a connection of its own.
std::string tableText(const std::string& path);

// Runs SQL on a file directly, beside any cursor.
void execute(const std::string& path, const std::string& sql);

// The caliber and maker of the cursor's current row, "caliber/maker".
std::string where(const tarnwick::bulletdb::BulletCursor& cursor);

}  // namespace bullettest
