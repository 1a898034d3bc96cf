#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

#include "NumberText.h"

using namespace tarnwick;

TEST(PlainText, ShortestFormUpToFifteenDigits) {
    const struct { double value; const char* text; } cases[] = {
        {2000, "2000"}, {29.53, "29.53"}, {0, "0"}, {-0.0, "0"}, {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"}, {-12.5, "-12.5"}, {1e20, "1e+20"}, {0.0001, "0.0001"}, {1e-5, "1e-05"},
        {2030, "2030"}, {123456789012345.0, "123456789012345"},
    };
    for (const auto& c : cases) EXPECT_EQ(plainText(c.value), c.text) << c.value;
    EXPECT_EQ(plainText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(plainText(std::nan("")), "nan");
}

TEST(PrintedNumber, LeadingBlankInPlaceOfPlusSign) {
    EXPECT_EQ(printedNumber(100), " 100");
    EXPECT_EQ(printedNumber(-12), "-12");
    EXPECT_EQ(printedNumber(0), " 0");
}

TEST(FixedMasks, RoundAndNeverShowNegativeZero) {
    const struct { double value; int decimals; const char* text; } cases[] = {
        {-12.3454, 3, "-12.345"}, {0, 3, "0.000"}, {-0.0004, 3, "0.000"}, {-0.0, 3, "0.000"},
        {2.9656, 3, "2.966"},     {1000000, 3, "1000000.000"}, {0.5, 3, "0.500"},
        {-0.004, 2, "0.00"},      {-0.006, 2, "-0.01"}, {12.345678, 2, "12.35"}, {0.25, 2, "0.25"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value;
}

TEST(FixedMasks, ExactlyTheNamedDecimalsAcrossTheRange) {
    for (double v = -1e6; v <= 1e6; v += 9973.123) {
        const std::string text = formatF3(v);
        ASSERT_EQ(text.size() - text.find('.') - 1, 3u) << text;
        ASSERT_EQ(text.find('.'), text.rfind('.')) << text;
    }
    EXPECT_EQ(formatF2(std::numeric_limits<double>::infinity()), "inf");  // no crash, no digits invented
}

TEST(WholeWithPoint, RoundsAndDropsLeadingZero) {
    EXPECT_EQ(formatWholeWithPoint(12.6), "13.");
    EXPECT_EQ(formatWholeWithPoint(0.2), ".");
    EXPECT_EQ(formatWholeWithPoint(0), ".");
    EXPECT_EQ(formatWholeWithPoint(-0.3), ".");
    EXPECT_EQ(formatWholeWithPoint(-12.6), "-13.");
    EXPECT_EQ(formatWholeWithPoint(2345.4), "2345.");
}

TEST(GroupedWhole, RoundsAndSetsOffThousands) {
    const std::pair<double, const char*> cases[] = {
        {2350.4, "2,350"}, {999.5, "1,000"}, {-12345, "-12,345"}, {1234567, "1,234,567"}, {-0.4, "0"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(groupedWhole(value), text) << value;
}

TEST(FourDigits, PadsWithZeros) {
    EXPECT_EQ(formatFourDigits(5), "0005");
    EXPECT_EQ(formatFourDigits(150), "0150");
    EXPECT_EQ(formatFourDigits(12345), "12345");
    EXPECT_EQ(formatFourDigits(-5), "-0005");
}

TEST(RoundToInt16, HalvesToEvenAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(3.5), 4);
    EXPECT_EQ(roundToInt16(-2.5), -2);
    EXPECT_EQ(roundToInt16(119.5), 120);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(-32768.4), -32768);
    EXPECT_FALSE(roundToInt16(32767.6));
    EXPECT_FALSE(roundToInt16(-32769));
    EXPECT_FALSE(roundToInt16(std::nan("")));
    EXPECT_FALSE(roundToInt16(std::numeric_limits<double>::infinity()));
}

TEST(LenientReading, TakesTheLongestLeadingNumber) {
    const struct { const char* text; double value; } cases[] = {
        {"2950", 2950}, {"  12abc", 12}, {"-", 0}, {".", 0}, {"", 0}, {"   ", 0}, {"abc", 0},
        {"1e", 1}, {"1e5x", 1e5}, {"1E-2", 0.01}, {"+3.5", 3.5}, {"-.5", -0.5}, {"5.", 5},
        {"1.2.3", 1.2}, {"0x10", 0}, {"1,5", 1}, {"1e+", 1}, {"\t7", 7}, {"1e-320", 1e-320},
        {"12 34", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(readLenient(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(readLenient("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readLenient("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(readLenient("1e-999"), 0.0);
    EXPECT_EQ(readLenient(std::string(10000, '9')), std::numeric_limits<double>::infinity());
}

TEST(LenientReading, GivesBackWhatThePlainFormWrote) {
    for (double v : {0.001, 2.0 / 3, 29.53, -459.4, 1e20, 1e-7, 123456.789, 3.141592654})
        EXPECT_EQ(readLenient(plainText(v)), std::stod(plainText(v))) << v;
}

TEST(StrictReading, WholeTextMustBeOneFiniteNumber) {
    EXPECT_EQ(readStrict("2950"), 2950);
    EXPECT_EQ(readStrict(" 70.5 "), 70.5);
    EXPECT_EQ(readStrict("-3"), -3);
    EXPECT_FALSE(readStrict(""));
    EXPECT_FALSE(readStrict("70a"));
    EXPECT_FALSE(readStrict("abc"));
    EXPECT_FALSE(readStrict("-"));
    EXPECT_FALSE(readStrict("1e999"));
    EXPECT_FALSE(readStrict("nan"));
    EXPECT_FALSE(readStrict("1,5"));
}

// Property: any text the plain form writes reads back (leniently) as the number that
// text denotes, and writing that number again gives the same text.
TEST(NumberTextProperties, PlainFormReadsBack) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 100000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const std::string text = plainText(value);
        const double read = readLenient(text);
        ASSERT_EQ(read, std::strtod(text.c_str(), nullptr)) << text;
        ASSERT_EQ(plainText(read), text) << value;
        ASSERT_EQ(readStrict(text), read) << text;
    }
}

// Property: the masks show exactly the decimals they name, one point, and at least one
// integer digit, across -1e6..1e6; non-finite values come out as words, not digits.
TEST(NumberTextProperties, MasksShowExactlyTheirDecimals) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> values(-1e6, 1e6);
    for (int i = 0; i < 100000; ++i) {
        const double value = i % 10 == 0 ? std::nearbyint(values(random)) / 1000 : values(random);
        for (int decimals : {2, 3}) {
            const std::string text = formatFixed(value, decimals);
            const auto point = text.find('.');
            ASSERT_NE(point, std::string::npos) << text;
            ASSERT_EQ(text.size() - point - 1, static_cast<std::size_t>(decimals)) << text;
            ASSERT_GT(point, text[0] == '-' ? 1u : 0u) << text;
            ASSERT_NEAR(std::strtod(text.c_str(), nullptr), value, std::pow(10.0, -decimals) / 2 + 1e-9) << value;
        }
        const std::string whole = formatWholeWithPoint(value);
        ASSERT_EQ(whole.back(), '.');
        ASSERT_EQ(whole.find('.'), whole.size() - 1);
    }
    for (double odd : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(formatF3(odd).find_first_of("0123456789"), std::string::npos);
        EXPECT_EQ(formatWholeWithPoint(odd).find_first_of("0123456789"), std::string::npos);
    }
}
