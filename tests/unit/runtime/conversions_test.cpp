// Conversions: banker's rounding with overflow, integer part, leading-number read, number to text, "##".
#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

bool Overflows16(double value) {
    try {
        RoundToInt16(value);
        return false;
    } catch (const RuntimeError& error) {
        return error.kind() == RuntimeError::Kind::Overflow;
    }
}

bool Overflows32(double value) {
    try {
        RoundToInt32(value);
        return false;
    } catch (const RuntimeError& error) {
        return error.kind() == RuntimeError::Kind::Overflow;
    }
}

TEST(RoundToInt16, EveryWholeNumberAndEveryHalfInRange) {
    for (int n = -32768; n <= 32767; ++n) {
        ASSERT_EQ(RoundToInt16(n), n);
        ASSERT_EQ(RoundToInt16(n + 0.25), n);
        ASSERT_EQ(RoundToInt16(n - 0.25), n);
        if (n < 32767) {
            int even = (n % 2 == 0) ? n : n + 1;
            ASSERT_EQ(RoundToInt16(n + 0.5), even) << n;
            ASSERT_EQ(RoundToInt16(n + 0.75), n + 1) << n;
        }
    }
}

TEST(RoundToInt16, OverflowAtBothEnds) {
    EXPECT_FALSE(Overflows16(32767.49));
    EXPECT_TRUE(Overflows16(32767.5));  // ties to 32768
    EXPECT_TRUE(Overflows16(32768));
    EXPECT_FALSE(Overflows16(-32768.5));  // ties to -32768
    EXPECT_TRUE(Overflows16(-32768.51));
    EXPECT_TRUE(Overflows16(1e300));
    EXPECT_TRUE(Overflows16(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(Overflows16(std::numeric_limits<double>::infinity()));
}

TEST(RoundToInt32, HalvesGoToEvenAndLimitsHold) {
    EXPECT_EQ(RoundToInt32(0.5), 0);
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(-0.5), 0);
    EXPECT_EQ(RoundToInt32(-1.5), -2);
    EXPECT_EQ(RoundToInt32(7679.5), 7680);  // half of a 15359-twip screen
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(-2147483648.5), -2147483647 - 1);
    EXPECT_TRUE(Overflows32(2147483647.5));
    EXPECT_TRUE(Overflows32(-2147483648.51));
    EXPECT_TRUE(Overflows32(99999999999.0));
}

TEST(IntegerPart, RoundsDown) {
    EXPECT_EQ(IntegerPart(2.7), 2);
    EXPECT_EQ(IntegerPart(-2.5), -3);
    EXPECT_EQ(IntegerPart(-0.1), -1);
    EXPECT_EQ(IntegerPart(7), 7);
    EXPECT_EQ(IntegerPart(0.9999999), 0);
}

TEST(LeadingNumber, ReadsThePrefixAndIgnoresBlanks) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"1234", 1234},     {" 1234", 1234},       {"12 34", 1234},     {"\t1\t2", 12},
        {"1234abc", 1234},  {"abc", 0},            {"", 0},             {"-12", -12},
        {"+7", 7},          {"- 5", -5},           {"3.25", 3.25},      {".5", 0.5},
        {"1.2.3", 1.2},     {"1e3", 1000},         {"1E", 1},           {"2D2", 200},
        {"1e+2x", 100},     {"--3", 0},            {"12,5", 12},        {"0x10", 0},
        {"99999999999", 99999999999.0},            {"  ", 0},           {"-", 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(TextToNumber, AcceptsOnlyAWholeNumberText) {
    EXPECT_EQ(TextToNumber(" 7"), 7);
    EXPECT_EQ(TextToNumber("2.7 "), 2.7);
    EXPECT_EQ(TextToNumber("-2.5"), -2.5);
    EXPECT_EQ(TextToNumber("+3"), 3);
    EXPECT_EQ(TextToNumber("1e2"), 100);
    EXPECT_EQ(TextToNumber("2,5", ','), 2.5);
    EXPECT_FALSE(TextToNumber("2,5"));
    EXPECT_FALSE(TextToNumber(""));
    EXPECT_FALSE(TextToNumber("   "));
    EXPECT_FALSE(TextToNumber("abc"));
    EXPECT_FALSE(TextToNumber("12abc"));
    EXPECT_FALSE(TextToNumber("1 2"));
    EXPECT_FALSE(TextToNumber("-"));
    EXPECT_FALSE(TextToNumber("1e999"));
}

TEST(NumberToText, LeadingBlankForNonNegative) {
    EXPECT_EQ(NumberToText(std::int64_t{12}), " 12");
    EXPECT_EQ(NumberToText(std::int64_t{0}), " 0");
    EXPECT_EQ(NumberToText(std::int64_t{-3}), "-3");
    EXPECT_EQ(NumberToText(std::int64_t{-32768}), "-32768");
    EXPECT_EQ(NumberToText(2.5), " 2.5");
    EXPECT_EQ(NumberToText(0.5), " .5");
    EXPECT_EQ(NumberToText(-0.25), "-.25");
    EXPECT_EQ(NumberToText(-0.0), " 0");
    EXPECT_EQ(NumberToText(40000.0), " 40000");
}

TEST(FormatHashHash, DigitsAndEmptyForZero) {
    EXPECT_EQ(FormatHashHash(0), "");
    for (int n = 1; n <= 30; ++n) EXPECT_EQ(FormatHashHash(n), std::to_string(n));
    EXPECT_EQ(FormatHashHash(12345), "12345");
    EXPECT_EQ(FormatHashHash(-5), "-5");
}

}  // namespace
}  // namespace spindle
