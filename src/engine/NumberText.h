#pragma once
// Number texts shared by the report, the dialogs and the inspection windows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Shortest decimal text of a double with up to 15 significant digits: 2000, 29.53,
// 0.666666666666667, 1e+20. Negative zero shows as 0; non-finite values as inf/-inf/nan.
std::string plainText(double value);

// A number as the canvas prints it: a leading blank in place of a plus sign.
std::string printedNumber(double value);

// Fixed-point masks: "##0.000" (decimals 3), "##0.00" and "#0.00" (decimals 2).
// At least one integer digit, exactly `decimals` decimals, rounded; a value that
// rounds to zero never keeps a minus sign.
std::string formatFixed(double value, int decimals);
inline std::string formatF3(double value) { return formatFixed(value, 3); }  // "##0.000"
inline std::string formatF2(double value) { return formatFixed(value, 2); }  // "##0.00" / "#0.00"

// "#.": the value rounded to a whole number, no leading zeros, then a point
// (12.6 -> "13.", 0.2 -> ".").
std::string formatWholeWithPoint(double value);

// "0000": a whole number with at least four digits (5 -> "0005", -5 -> "-0005").
std::string formatFourDigits(long long value);

// The value rounded to a whole number (halves to even) with its thousands set off by
// commas: 2350.4 -> "2,350", -12345 -> "-12,345". Non-finite values as plainText.
std::string groupedWhole(double value);

// Rounds to the nearest whole number, halves to even. Non-finite or out-of-range
// values give std::nullopt.
std::optional<std::int16_t> roundToInt16(double value);
std::optional<long long> roundToInteger(double value);

// The lenient leading-number reading of the parameter dialogs: leading blanks skipped,
// an optional sign, digits with at most one point, an optional exponent; the longest
// such prefix is read and anything after it ignored. No number gives 0. A prefix
// whose value overflows reads as +/-infinity (callers decide what to do with it).
double readLenient(std::string_view text);

// The strict reading of the calculators: the whole text (surrounding blanks allowed)
// must be one finite decimal number.
std::optional<double> readStrict(std::string_view text);

}  // namespace tarnwick
