// Conversions: banker's rounding with overflow, leading-number read, number to text, "##", the
// locale's decimal mark. (Whole-text numbers and the integer part: the settings loader's and the
// dialog's tables.)
#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "runtime/decimal_mark.h"
#include "runtime/runtime_error.h"

namespace spindle {
namespace {

template <typename Round>
bool Overflows(Round round, double value) {
    try {
        round(value);
    } catch (const RuntimeError& error) {
        return error.kind() == RuntimeError::Kind::Overflow;
    }
    return false;
}

TEST(RoundToInt, HalvesGoToEvenAndOverflowAtBothEndsOfEachWidth) {
    for (int n = -32768; n < 32767; ++n) ASSERT_EQ(RoundToInt16(n + 0.5), n % 2 == 0 ? n : n + 1) << n;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double fits : {32767.49, -32768.5}) EXPECT_FALSE(Overflows(RoundToInt16, fits)) << fits;
    for (double over : {32767.5, -32768.51, 1e300, nan}) EXPECT_TRUE(Overflows(RoundToInt16, over)) << over;
    for (double fits : {2147483647.0, -2147483648.5}) EXPECT_FALSE(Overflows(RoundToInt32, fits)) << fits;
    for (double over : {2147483647.5, -2147483648.51, 99999999999.0, nan}) EXPECT_TRUE(Overflows(RoundToInt32, over));
}

TEST(LeadingNumber, ReadsThePrefixAndIgnoresBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"1234", 1234}, {" 12 34", 1234}, {"\t1\t2", 12}, {"1234abc", 1234}, {"abc", 0},  {"", 0},
        {"- 5", -5},    {"+7", 7},        {".5", 0.5},    {"1.2.3", 1.2},    {"1e3", 1000}, {"1E", 1},
        {"2D2", 200},   {"--3", 0},       {"12,5", 12},   {"-", 0},          {"99999999999", 99999999999.0},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << '"' << text << '"';
}

TEST(NumberToText, LeadingBlankForNonNegativeAndDigitsForHashHash) {
    EXPECT_EQ(std::tuple(NumberToText(std::int64_t{12}), NumberToText(std::int64_t{0}), NumberToText(std::int64_t{-3})),
              std::tuple(" 12", " 0", "-3"));
    EXPECT_EQ(std::tuple(NumberToText(0.5), NumberToText(-0.25), NumberToText(-0.0)), std::tuple(" .5", "-.25", " 0"));
    EXPECT_EQ(std::tuple(FormatHashHash(0), FormatHashHash(30), FormatHashHash(-5)), std::tuple("", "30", "-5"));
}

// Number reading goes byte by byte: a mark it could not tell from a number, or does not know, is a point.
TEST(DecimalMarkOf, TakesOnePrintableMarkAndFallsBackToAPoint) {
    const std::pair<std::wstring_view, char> cases[] = {
        {L".", '.'}, {L",", ','}, {L"'", '\''}, {L"/", '/'}, {L"", '.'},       {L",,", '.'},     {L" ", '.'},
        {L"5", '.'}, {L"-", '.'}, {L"+", '.'},  {L"\t", '.'}, {L"\x066B", '.'}, {L"\x00B7", '.'}, {L"\x7F", '.'},
    };
    for (const auto& [mark, expected] : cases) EXPECT_EQ(DecimalMarkOf(mark), expected) << static_cast<int>(mark.size());
}

}  // namespace
}  // namespace spindle
