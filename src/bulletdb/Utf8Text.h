#pragma once
// UTF-8 texts of the bullet table: checking them, and comparing them with letter case
// ignored for every script (É = é, Σ = σ = ς), not only ASCII. Each code point is
// folded on its own by the C library's Unicode tables (upper case, then lower case),
// so a fold that would change the length of a text (ß = ss) is not made.
#include <string_view>

struct sqlite3;

namespace tarnwick::bulletdb {

// True when `text` is well-formed UTF-8 (shortest forms, no surrogates) without a NUL.
bool isValidUtf8(std::string_view text);

// The name of the collation registered by registerCaseFolding.
inline constexpr const char* kFoldCollation = "TARNWICK_FOLD";

// Negative, zero or positive, like strcmp, on the folded code points. Bytes that are
// not valid UTF-8 compare as themselves.
int compareFolded(std::string_view a, std::string_view b);

// Registers compareFolded as the collation kFoldCollation on the connection. It exists
// only for this connection's queries and is never named in the file's schema, so any
// other program can still read and write the file.
int registerCaseFolding(sqlite3* db);

}  // namespace tarnwick::bulletdb
