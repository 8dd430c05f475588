// The gradient button: event sequences to states, paints and Clicks; stored properties; the paint
// plan's frame pieces, gradient vertices and caption place.
#include "controls/command/command_control.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "controls/command/command_paint_plan.h"

namespace spindle {
namespace {

constexpr WindowId kOwn = 0x100, kHost = 0x200, kOther = 0x300;

struct Recorder : CommandFacePort, PointerPort, CommandHostPort {
    std::vector<SkinPicture> paints;
    bool lavenderOnTop = false;
    WindowId under = kOwn;
    bool focused = false;

    FaceSize Size() const override { return {1215, 375, 81, 25}; }
    void Paint(const PaintPlan& plan) override {
        paints.push_back(plan.picture);
        lavenderOnTop = plan.gradient->vertices[0].red == 0xC600;
    }
    std::optional<Point> CursorPosition() override { return Point{10, 10}; }
    WindowId WindowFromPoint(Point) override { return under; }
    void StartTimer(int) override {}
    void PropertyChanged(std::string_view) override {}
    CaptionFont AmbientFont() const override { return DesignedCaptionFont(); }
    WindowId HostWindow() const override { return kHost; }
    WindowId OwnWindow() const override { return kOwn; }
    bool OwnWindowHasFocus() const override { return focused; }
};

// Loaded as a form loads it: stored properties read, resized.
struct Button {
    Recorder ports;
    CommandControl control{ports, ports, ports};
    int clicks = 0;

    explicit Button(const PropertyBag& stored = MemoryPropertyBag()) {
        control.UserControl_ReadProperties(stored);
        control.UserControl_Resize();
        ports.paints.clear();
    }
};

using Ev = void (*)(Button&);
constexpr Ev Move = [](Button& b) { b.control.UserControl_MouseMove(0, 0, 100, 100); };
constexpr Ev Focus = [](Button& b) { b.ports.focused = true; b.control.UserControl_GotFocus(); };
constexpr Ev DownL = [](Button& b) { b.control.UserControl_MouseDown(kLeftButton, 0, 100, 100); };
constexpr Ev DownRM = [](Button& b) {
    b.control.UserControl_MouseDown(kRightButton, 0, 100, 100);
    b.control.UserControl_MouseDown(kMiddleButton, 0, 100, 100);
};
constexpr Ev UpL = [](Button& b) { b.clicks += b.control.UserControl_MouseUp(kLeftButton, 0, 100, 100); };
constexpr Ev UpR = [](Button& b) { b.clicks += b.control.UserControl_MouseUp(kRightButton, 0, 100, 100); };
constexpr Ev TickOwn = [](Button& b) { b.ports.under = kOwn; b.control.TmrMouse_Timer(); };
constexpr Ev TickHost = [](Button& b) { b.ports.under = kHost; b.control.TmrMouse_Timer(); };
constexpr Ev TickOther = [](Button& b) { b.ports.under = kOther; b.control.TmrMouse_Timer(); };

TEST(CommandStates, EventSequences) {
    using P = SkinPicture;
    // Each, after Initialize, ends in `state` with `clicks` Clicks raised, the last paint with lavender on top or not.
    struct Sequence { const char* name; std::vector<Ev> events; int state; std::vector<P> paints; int clicks;
                      bool lavender; };
    const Sequence sequences[] = {
        {"moves that keep the state and idle hovering paint nothing", {Move, Move, TickOwn, TickOwn}, 2,
         {P::HighLight}, 0, true},
        {"press, drag off for a tick, release: no Click", {Move, Focus, DownL, TickOther, UpL}, 3,
         {P::HighLight, P::Pressed, P::Pressed, P::Selected}, 0, false},
        {"coming back while pressed does not re-arm the Click", {Move, Focus, DownL, TickHost, Move, UpL}, 3,
         {P::HighLight, P::Pressed, P::Pressed, P::Selected}, 0, false},
        {"a right button release clicks", {Move, UpR}, 2, {P::HighLight}, 1, true},
        {"right and middle presses draw nothing; the next left click clicks", {Move, Focus, DownRM, UpL}, 4,
         {P::HighLight, P::Pressed, P::HighLightSelect}, 1, true},
    };
    for (const Sequence& sequence : sequences) {
        Button b;
        b.control.Initialize();
        for (Ev event : sequence.events) event(b);
        EXPECT_EQ(std::tuple(b.control.LookState(), b.ports.paints, b.clicks, b.ports.lavenderOnTop),
                  std::tuple(sequence.state, sequence.paints, sequence.clicks, sequence.lavender))
            << sequence.name;
    }
}

// Stored keys match whatever their case; a system colour is written signed and read back.
TEST(CommandProperties, RoundTrip) {
    using Values = std::map<std::string, std::string>;
    const std::string bold = FontToText(CaptionFont{.weight = 700});
    MemoryPropertyBag stored, written;
    for (const auto& [key, value] : Values{{"CAPTION", "キャンセル"}, {"font", bold}, {"enabled", "False"},
                                           {"FONTCOLOUR", "16777215"}, {"visible", "0"}}) {
        stored.Set(key, value);
    }
    Button first(stored);
    EXPECT_EQ(first.control.FontColour(), 0xFFFFFFu);
    first.control.SetFontColour(-0x80000000LL);
    first.control.SetFontColour(0x8000001F);  // there is no 31st
    first.control.UserControl_WriteProperties(written);
    EXPECT_EQ(Values(written.Values().begin(), written.Values().end()),
              (Values{{"Caption", "キャンセル"}, {"Enabled", "False"}, {"Font", bold}, {"FontColour", "-2147483648"},
                      {"Visible", "0"}}));
    Button second(written);
    CommandControl& read = second.control;
    EXPECT_EQ((std::tuple{read.Caption(), read.Visible(), read.FontColour(), read.Enabled()}),
              std::tuple(std::string("キャンセル"), 0, 0x80000000u, false));
}

TEST(CommandFont, TextRoundTripsAndBadTextIsRefused) {
    const CaptionFont font{.face = "Tahoma;Bold", .pointSize = 12.5, .weight = 1000, .underline = true, .charset = 0};
    EXPECT_EQ(TextToFont(FontToText(font)), font);  // the face is last and may hold the separator
    for (const char* bad : {"", "Arial", "9;400;0;0;0", "x;400;0;0;0;128;Arial", "0;400;0;0;0;128;Arial",
                            "9;400;0;0;0;999;Arial"}) {
        EXPECT_FALSE(TextToFont(bad)) << bad;
    }
}

PaintPlan Plan(float widthTwips, float heightTwips) {
    bool reversed = false;
    return PlanPaintLook(SkinPicture::Normal, 1, reversed,
                         FaceSize{widthTwips, heightTwips, widthTwips / 15, heightTwips / 15}, 195);
}

TEST(PaintPlan, A1215By375Face) {
    // Corners and side edges unscaled, top and bottom edges 56 -> 73: a 73 x 17 interior is left.
    using R = PixelRect;
    const std::vector<std::tuple<int, R, R>> expected = {
        {1, {0, 0, 4, 4}, {0, 0, 4, 4}},      {2, {4, 0, 56, 4}, {4, 0, 73, 4}},   {3, {60, 0, 4, 4}, {77, 0, 4, 4}},
        {4, {60, 4, 4, 17}, {77, 4, 4, 17}},  {5, {60, 21, 4, 4}, {77, 21, 4, 4}}, {6, {4, 21, 56, 4}, {4, 21, 73, 4}},
        {7, {0, 21, 4, 4}, {0, 21, 4, 4}},    {8, {0, 4, 4, 17}, {0, 4, 4, 17}},
    };
    const PaintPlan plan = Plan(1215, 375);
    std::vector<std::tuple<int, R, R>> pieces;
    for (const auto& p : plan.pieces) pieces.emplace_back(p.number, ToPixels(p.source), ToPixels(p.destination));
    EXPECT_EQ(pieces, expected);
    ASSERT_TRUE(plan.gradient);
    EXPECT_EQ(plan.gradient->vertices, (std::array<TriVertex, 2>{TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0},
                                                                  {80, 24, 0xC600, 0xC500, 0xD700, 0}}));
    EXPECT_FLOAT_EQ(plan.labelTop, 80.0f);
    EXPECT_FLOAT_EQ(Plan(1215, 376).labelTop, 80.5f);  // single precision, not rounded
}

}  // namespace
}  // namespace spindle
