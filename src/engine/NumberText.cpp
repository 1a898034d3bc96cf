#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <limits>
#include <system_error>

namespace tarnwick {

std::string plainText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string printedNumber(double value) {
    std::string text = plainText(value);
    if (text.empty() || text[0] != '-') text.insert(text.begin(), ' ');
    return text;
}

namespace {
// Locale-independent fixed-point text, rounded from the exact binary value.
std::string fixedText(double value, int decimals) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// Drops the minus sign of a text that shows nothing but zeros.
std::string withoutNegativeZero(std::string text) {
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}
}  // namespace

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) return plainText(value);
    return withoutNegativeZero(fixedText(value, decimals));
}

std::string formatWholeWithPoint(double value) {
    if (!std::isfinite(value)) return plainText(value);
    std::string text = withoutNegativeZero(fixedText(value, 0));
    if (text == "0") text.clear();
    else if (text == "-0") text = "-";
    return text + ".";
}

std::string formatFourDigits(long long value) {
    char buffer[32];
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::snprintf(buffer, sizeof buffer, "%s%04llu", value < 0 ? "-" : "", magnitude);
    return buffer;
}

std::string groupedWhole(double value) {
    const std::optional<long long> whole = roundToInteger(value);
    if (!whole) return plainText(value);
    std::string digits = std::to_string(*whole < 0 ? 0ULL - static_cast<unsigned long long>(*whole)
                                                   : static_cast<unsigned long long>(*whole));
    for (auto at = static_cast<long long>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return (*whole < 0 ? "-" : "") + digits;
}

std::optional<long long> roundToInteger(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.0e15) return std::nullopt;
    return static_cast<long long>(std::nearbyint(value));  // default mode: halves to even
}

std::optional<std::int16_t> roundToInt16(double value) {
    if (!std::isfinite(value) || value < -32768.5 || value > 32767.5) return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768 || rounded > 32767) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest decimal number at the start of `text` (sign, digits with at
// most one point, optional exponent with at least one digit); 0 when there is none.
std::size_t leadingNumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) { ++j; ++expDigits; }
        if (expDigits > 0) i = j;
    }
    return i;
}

// Decimal exponent of the leading significant digit of a number text that from_chars
// found out of range: positive means too large, otherwise too small.
long long magnitudeOf(std::string_view number) {
    long long exponent = 0;
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        bool negative = !digits.empty() && digits[0] == '-';
        if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
        for (char c : digits) exponent = std::min<long long>(exponent * 10 + (c - '0'), 100000);
        if (negative) exponent = -exponent;
        number = number.substr(0, e);
    }
    const std::size_t point = std::min(number.find('.'), number.size());
    const std::size_t first = number.find_first_of("123456789");
    if (first == std::string_view::npos) return -100000;
    const long long position = first < point ? static_cast<long long>(point - first)
                                             : -static_cast<long long>(first - point - 1);
    return position + exponent;
}

// Reads a text that leadingNumberLength accepted whole. Overflow gives +/-infinity,
// underflow a signed zero.
double parseNumber(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitudeOf(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}
}  // namespace

double readLenient(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    text.remove_prefix(start);
    const std::size_t length = leadingNumberLength(text);
    return length == 0 ? 0.0 : parseNumber(text.substr(0, length));
}

std::optional<double> readStrict(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    const std::size_t length = leadingNumberLength(text);
    if (length == 0 || length != text.size()) return std::nullopt;
    const double value = parseNumber(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tarnwick
