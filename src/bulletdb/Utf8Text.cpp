#include "Utf8Text.h"

#include <locale.h>
#include <sqlite3.h>
#include <wctype.h>

namespace tarnwick::bulletdb {

namespace {

// The Unicode character tables of the C library, independent of the user's locale.
// Without them (a system lacking C.UTF-8) only ASCII letters are folded.
locale_t unicodeTables() {
    static const locale_t tables = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return tables;
}

// Marks a byte that does not start a valid sequence: the byte's value above this.
constexpr char32_t kInvalidByte = 0x110000;

// Decodes one code point at `i` and advances past it. A byte that does not start a
// valid, shortest-form sequence stands for itself, shifted above the Unicode range so
// that it never equals a real character.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        valid = (next & 0xC0) == 0x80;
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && cp >= kShortest[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    if (!valid) {
        ++i;
        return kInvalidByte + lead;
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

char32_t fold(char32_t cp) {
    if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + ('a' - 'A') : cp;
    const locale_t tables = unicodeTables();
    if (!tables || cp > 0x10FFFF) return cp;
    // Upper then lower joins the letters that share a capital: ς and σ (Σ), ſ and s (S).
    const auto wide = static_cast<wint_t>(cp);
    return static_cast<char32_t>(towlower_l(towupper_l(wide, tables), tables));
}

int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareFolded(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                         std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = nextCodePoint(text, i);
        if (cp == 0 || cp >= kInvalidByte) return false;
    }
    return true;
}

int compareFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x8 = static_cast<unsigned char>(a[i]);
        const auto y8 = static_cast<unsigned char>(b[j]);
        if ((x8 | y8) < 0x80) {  // the common case, two ASCII characters
            const char32_t x = fold(x8);
            const char32_t y = fold(y8);
            if (x != y) return x < y ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const char32_t x = fold(nextCodePoint(a, i));
        const char32_t y = fold(nextCodePoint(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int registerCaseFolding(sqlite3* db) {
    return sqlite3_create_collation_v2(db, kFoldCollation, SQLITE_UTF8, nullptr, collate, nullptr);
}

}  // namespace tarnwick::bulletdb
