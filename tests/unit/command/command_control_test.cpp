// The gradient button's behaviour: event sequences to states, paints and Clicks; stored properties.
#include "controls/command/command_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

namespace spindle {
namespace {

constexpr WindowId kOwn = 0x100, kHost = 0x200, kOther = 0x300;

struct Recorder : CommandFacePort, PointerPort, CommandHostPort {
    std::vector<SkinPicture> paints;
    bool lavenderOnTop = false;
    std::optional<Point> cursor = Point{10, 10};
    WindowId under = kOwn;
    bool focused = false;

    FaceSize Size() const override { return {1215, 375, 81, 25}; }
    void Paint(const PaintPlan& plan) override {
        paints.push_back(plan.picture);
        lavenderOnTop = plan.gradient->vertices[0].red == 0xC600;
    }
    std::optional<Point> CursorPosition() override { return cursor; }
    WindowId WindowFromPoint(Point) override { return under; }
    void StartTimer(int) override {}
    void PropertyChanged(std::string_view) override {}
    CaptionFont AmbientFont() const override { return DesignedCaptionFont(); }
    WindowId HostWindow() const override { return kHost; }
    WindowId OwnWindow() const override { return kOwn; }
    bool OwnWindowHasFocus() const override { return focused; }
};

const MemoryPropertyBag kNothingStored;

struct Button {
    Recorder ports;
    CommandControl control{ports, ports, ports};
    int clicks = 0;

    // Loaded as a form loads it (stored properties read, resized); null leaves it freshly placed.
    explicit Button(const PropertyBag* stored = &kNothingStored) {
        if (stored) control.UserControl_ReadProperties(*stored);
        control.UserControl_Resize();
        ports.paints.clear();
    }
};

using Ev = void (*)(Button&);
constexpr Ev Init = [](Button& b) { b.control.Initialize(); };
constexpr Ev Move = [](Button& b) { b.control.UserControl_MouseMove(0, 0, 100, 100); };
constexpr Ev Focus = [](Button& b) { b.ports.focused = true; b.control.UserControl_GotFocus(); };
constexpr Ev Blur = [](Button& b) { b.ports.focused = false; b.control.UserControl_LostFocus(); };
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
constexpr Ev TickLost = [](Button& b) { b.ports.under = kOther; b.ports.cursor.reset(); b.control.TmrMouse_Timer(); };
constexpr Ev Resize = [](Button& b) { b.control.UserControl_Resize(); };
constexpr Ev Disable = [](Button& b) { b.control.SetEnabled(false); };
constexpr Ev Enable = [](Button& b) { b.control.SetEnabled(true); };

using P = SkinPicture;

TEST(CommandStates, EventSequences) {
    // Each ends in `state` with `clicks` Clicks raised, the last paint with lavender on top or not.
    struct Sequence { const char* name; std::vector<Ev> events; int state; std::vector<P> paints; int clicks;
                      bool lavender; };
    const Sequence sequences[] = {
        {"before Initialize moves and ticks change nothing", {Move, TickHost, Move}, 0, {}, 0, false},
        {"before Initialize focus and moves work, ticks do not; 4 keeps 3's direction", {Focus, Move, TickOther}, 4,
         {P::Selected, P::HighLightSelect}, 0, false},
        {"moves that keep the state and idle hovering paint nothing", {Init, Move, Move, TickOwn, TickOwn}, 2,
         {P::HighLight}, 0, true},
        {"press and release over an unfocused button: one Click", {Init, Move, Focus, DownL, UpL}, 4,
         {P::HighLight, P::Pressed, P::Pressed, P::HighLightSelect}, 1, true},
        {"press, drag off for a tick, release: no Click", {Init, Move, Focus, DownL, TickOther, UpL}, 3,
         {P::HighLight, P::Pressed, P::Pressed, P::Selected}, 0, false},
        {"coming back while pressed does not re-arm the Click", {Init, Move, Focus, DownL, TickHost, Move, UpL}, 3,
         {P::HighLight, P::Pressed, P::Pressed, P::Selected}, 0, false},
        {"a right button release clicks", {Init, Move, UpR}, 2, {P::HighLight}, 1, true},
        {"right and middle presses draw nothing; the next left click clicks", {Init, Move, Focus, DownRM, UpL}, 4,
         {P::HighLight, P::Pressed, P::HighLightSelect}, 1, true},
        {"no Click from a focused button away from the pointer", {Init, Focus, UpR}, 3, {P::Selected}, 0, false},
        {"left release in state 2 repaints Normal and clicks", {Init, Move, DownL, UpL}, 2,
         {P::HighLight, P::Pressed, P::Normal}, 1, true},
        {"focus lost over the button shows Normal until the next move", {Init, Move, Focus, Blur, TickOwn, Move}, 2,
         {P::HighLight, P::Pressed, P::Normal, P::HighLight}, 0, true},
        {"the pointer over the host ends the hover", {Init, Move, TickHost, TickHost}, 1,
         {P::HighLight, P::Normal}, 0, false},
        {"a tick that cannot read the pointer changes nothing", {Init, Move, TickLost}, 2, {P::HighLight}, 0, true},
        {"focus lost in state 1 paints nothing", {Init, Blur}, 1, {}, 0, false},
        {"a resize repaints Normal and keeps the state", {Init, Move, Resize}, 2, {P::HighLight, P::Normal}, 0, true},
        {"disabled ignores everything but resize",
         {Init, Move, Disable, Move, Focus, DownL, UpL, UpR, TickOther, Blur, Resize}, 2,
         {P::HighLight, P::Disable, P::Disable}, 0, true},
        {"enabled again it moves on from the kept state", {Init, Move, Disable, Enable, Focus}, 4,
         {P::HighLight, P::Disable, P::Normal, P::Pressed}, 0, true},
        {"focus lost while disabled is seen when enabled: the next click clicks",
         {Init, Move, Focus, Disable, Blur, Enable, Move, Focus, DownL, UpL}, 4,
         {P::HighLight, P::Pressed, P::Disable, P::Normal, P::Normal, P::HighLight, P::Pressed, P::Pressed,
          P::HighLightSelect}, 1, true},
        {"focus gained while disabled is seen when enabled", {Init, Disable, Focus, Enable, UpR}, 3,
         {P::Disable, P::Normal, P::Selected}, 0, false},
        {"Initialize works while disabled", {Disable, Init, Enable, Move}, 2, {P::Disable, P::Normal, P::HighLight},
         0, true},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        Button button;
        for (Ev event : sequence.events) event(button);
        const Recorder& ports = button.ports;
        EXPECT_EQ(std::tuple(button.control.LookState(), ports.paints, button.clicks, ports.lavenderOnTop),
                  std::tuple(sequence.state, sequence.paints, sequence.clicks, sequence.lavender));
        EXPECT_FLOAT_EQ(button.control.Label().top, 80.0f);  // the plan places the caption
    }
}

using Values = std::map<std::string, std::string>;

MemoryPropertyBag Bag(const Values& values) {
    MemoryPropertyBag bag;
    for (const auto& [key, value] : values) bag.Set(key, value);
    return bag;
}

TEST(CommandProperties, RoundTrips) {
    const std::string bold = FontToText(CaptionFont{.weight = 700});
    // Stored (none: freshly placed), changed, written; then what a button reads back from that.
    struct Case { const char* name; std::optional<Values> stored; std::function<void(CommandControl&)> change;
                  Values written; const char* caption; int visible; std::uint32_t colour; bool enabled; };
    auto nothing = [](CommandControl&) {};
    const Case cases[] = {
        {"Command comes back as Command1", Values{}, [](CommandControl& c) { c.SetCaption("Command"); }, {},
         "Command1", 255, 0, true},
        {"Visible 1 reads 255", Values{}, [](CommandControl& c) { c.SetVisible(0); c.SetVisible(1); },
         {{"Caption", "Command1"}}, "Command1", 255, 0, true},
        {"stored Visible 0 loads transparent", Values{{"visible", "0"}}, nothing,
         {{"Caption", "Command1"}, {"Visible", "0"}}, "Command1", 0, 0, true},
        {"FontColour with marker 0 and enabled stays black", std::nullopt,
         [](CommandControl& c) { c.SetEnabled(true); c.SetFontColour(0xFF); }, {{"FirstRun", "0"}}, "Command1",
         255, 0, true},
        {"keys match whatever their case",
         Values{{"CAPTION", "キャンセル"}, {"font", bold}, {"enabled", "False"}, {"FONTCOLOUR", "16777215"}}, nothing,
         {{"Caption", "キャンセル"}, {"Font", bold}, {"Enabled", "False"}, {"FontColour", "16777215"}}, "キャンセル",
         255, 0xFFFFFF, false},
        {"a system colour is stored signed and read back", Values{},
         [](CommandControl& c) { c.SetFontColour(-0x80000000LL); c.SetFontColour(0x8000001F); },  // no 31st
         {{"Caption", "Command1"}, {"FontColour", "-2147483648"}}, "Command1", 255, 0x80000000, true},
        {"unreadable stored values keep what was there", Values{{"FontColour", "255"}, {"Visible", "0"}},
         [](CommandControl& c) {
             c.UserControl_ReadProperties(Bag({{"Enabled", "maybe"}, {"Font", "Arial"}, {"FirstRun", "300"},
                                               {"FontColour", "1e300"}, {"Visible", "2"}}));
             c.SetFontColour(-1);
         },
         {{"Caption", "Command1"}, {"FontColour", "255"}, {"Visible", "0"}}, "Command1", 0, 255, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPropertyBag stored = Bag(c.stored.value_or(Values{})), written;
        Button first(c.stored ? &stored : nullptr);
        c.change(first.control);
        first.control.UserControl_WriteProperties(written);
        EXPECT_EQ(Values(written.Values().begin(), written.Values().end()), c.written);
        Button second(&written);
        CommandControl& read = second.control;
        EXPECT_EQ((std::tuple{read.Caption(), read.Visible(), read.FontColour(), read.Enabled()}),
                  std::tuple(std::string(c.caption), c.visible, c.colour, c.enabled));
    }
}

TEST(CommandFont, TextRoundTripsAndBadTextIsRefused) {
    const CaptionFont font{.face = "Tahoma;Bold", .pointSize = 12.5, .weight = 1000, .underline = true, .charset = 0};
    EXPECT_EQ(TextToFont(FontToText(font)), font);  // the face is last and may hold the separator
    for (const char* bad : {"", "Arial", "9;400;0;0;0", "x;400;0;0;0;128;Arial", "0;400;0;0;0;128;Arial",
                            "9;400;0;0;0;999;Arial"}) {
        EXPECT_FALSE(TextToFont(bad)) << bad;
    }
}

}  // namespace
}  // namespace spindle
