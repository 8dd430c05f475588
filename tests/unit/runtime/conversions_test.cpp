// Conversions: the leading-number read and the locale's decimal mark. (Rounding, overflow, whole-text
// numbers, the integer part and number to text: the settings loader's and the dialog's tables.)
#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include "runtime/decimal_mark.h"

namespace spindle {
namespace {

TEST(LeadingNumber, ReadsThePrefixAndIgnoresBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"1234", 1234}, {" 12 34", 1234}, {"\t1\t2", 12}, {"1234abc", 1234}, {"abc", 0},  {"", 0},
        {"- 5", -5},    {"+7", 7},        {".5", 0.5},    {"1.2.3", 1.2},    {"1e3", 1000}, {"1E", 1},
        {"2D2", 200},   {"--3", 0},       {"12,5", 12},   {"-", 0},          {"99999999999", 99999999999.0},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << '"' << text << '"';
}

// Number reading goes byte by byte: a mark it could not tell from a number, or does not know, is a point.
TEST(DecimalMarkOf, TakesOnePrintableMarkAndFallsBackToAPoint) {
    const std::pair<std::wstring_view, char> cases[] = {
        {L",", ','}, {L"'", '\''}, {L"", '.'}, {L",,", '.'}, {L" ", '.'}, {L"5", '.'}, {L"-", '.'}, {L"\x066B", '.'},
    };
    for (const auto& [mark, expected] : cases) EXPECT_EQ(DecimalMarkOf(mark), expected) << mark.size();
}

}  // namespace
}  // namespace spindle
