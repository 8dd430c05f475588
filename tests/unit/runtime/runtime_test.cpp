// Which DPI a window or monitor draws at, and what twips, points and 96-DPI pictures come to at the
// scales Windows offers (100 %, 125 %, 150 %, 200 %); the leading-number read and the locale's decimal
// mark. (Rounding, overflow, whole-text numbers, the integer part and number to text: the settings
// loader's and the dialog's tables.)
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "runtime/conversions.h"
#include "runtime/decimal_mark.h"
#include "runtime/dpi.h"

namespace spindle {
namespace {

struct FakeDpi : DpiPort {
    std::optional<int> window, monitor;
    int system = 96;
    std::optional<int> WindowDpi() override { return window; }
    std::optional<int> MonitorDpi() override { return monitor; }
    int SystemDpi() override { return system; }
};

TEST(EffectiveDpi, TheWindowsElseItsMonitorsElseTheSystemsElse96) {
    const std::optional<int> none;
    const std::tuple<std::optional<int>, std::optional<int>, int, int> cases[] = {
        {144, 120, 96, 144},    // the window's own, even before its monitor's is seen
        {none, 120, 96, 120},   // Windows 8.1: only the monitor's is told
        {none, none, 144, 144}, // older systems: the system's
        {0, 192, 96, 192},      // a failing call gives 0
        {0, 0, 0, 96},          {none, -5, 100000, 96},
        {48, none, 96, 48},     {960, none, 96, 960}, {961, 47, 120, 120},  // the ends of what a display may have
    };
    for (const auto& [window, monitor, system, dpi] : cases) {
        FakeDpi port;
        port.window = window, port.monitor = monitor, port.system = system;
        EXPECT_EQ(EffectiveDpi(port), dpi) << window.value_or(-1) << " " << monitor.value_or(-1) << " " << system;
    }
}

TEST(DpiScale, TwipsPointsAndPicturesAtEachScale) {
    // dpi, twips per pixel, 6975 twips (the dialog's width), 9.75 points, a 12-pixel mark, 160 pixels
    const std::tuple<int, double, int, int, int, int> cases[] = {
        {96, 15.0, 465, -13, 12, 160},
        {120, 12.0, 581, -16, 15, 200},
        {144, 10.0, 698, -20, 18, 240},  // 697.5 and 19.5 round away from zero
        {192, 7.5, 930, -26, 24, 320},
    };
    for (auto [dpi, twipsPerPixel, width, font, mark, drop] : cases) {
        EXPECT_EQ(std::tuple(TwipsPerPixelAt(dpi), TwipsToPixels(6975, dpi), FontHeightAt(9.75, dpi),
                             PixelsFrom96(12, dpi), PixelsFrom96(160, dpi)),
                  std::tuple(twipsPerPixel, width, font, mark, drop))
            << dpi;
    }
}

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
