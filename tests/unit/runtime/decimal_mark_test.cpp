// The locale's decimal mark as number reading can use it.
#include "runtime/decimal_mark.h"

#include <gtest/gtest.h>

namespace spindle {
namespace {

TEST(DecimalMarkOf, TakesOnePrintableMarkAndFallsBackToAPoint) {
    const std::pair<std::wstring_view, char> cases[] = {
        {L".", '.'}, {L",", ','}, {L"'", '\''}, {L"/", '/'},
        // What a byte-wise read could not tell from a number or does not know: a point instead.
        {L"", '.'}, {L",,", '.'}, {L" ", '.'}, {L"\t", '.'}, {L"5", '.'}, {L"-", '.'}, {L"+", '.'},
        {L"\x066B", '.'}, {L"\x00B7", '.'}, {L"\x7F", '.'},
    };
    for (const auto& [mark, expected] : cases) EXPECT_EQ(DecimalMarkOf(mark), expected) << static_cast<int>(mark.size());
}

}  // namespace
}  // namespace spindle
