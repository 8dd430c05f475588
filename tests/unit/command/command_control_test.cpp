// The gradient button's look states: event sequences to states, paints and Clicks.
#include "controls/command/command_control.h"

#include <gtest/gtest.h>

#include "command_recorder.h"

namespace spindle {
namespace {

using testing::CommandRecorder;
using testing::kHostWindow;
using testing::kOtherWindow;
using testing::kOwnWindow;

enum class Ev { Move, Focus, Blur, DownLeft, UpLeft, DownRight, UpRight, UpMiddle, TickOwn, TickHost, TickOther,
                TickLost, Resize, LabelMove, LabelDownLeft, LabelUpLeft };

struct Fixture {
    CommandRecorder ports;
    CommandControl control{ports, ports, ports};
    int clicks = 0;

    // A button as a form loads it: stored properties read (all defaults), then resized.
    explicit Fixture(bool initialize = true) {
        MemoryPropertyBag none;
        control.UserControl_ReadProperties(none);
        control.UserControl_Resize();
        if (initialize) control.Initialize();
        ports.paints.clear();
    }

    void Run(Ev event) {
        switch (event) {
            case Ev::Move: control.UserControl_MouseMove(0, 0, 100, 100); break;
            case Ev::Focus: control.UserControl_GotFocus(); break;
            case Ev::Blur: control.UserControl_LostFocus(); break;
            case Ev::DownLeft: control.UserControl_MouseDown(kLeftButton, 0, 100, 100); break;
            case Ev::UpLeft: clicks += control.UserControl_MouseUp(kLeftButton, 0, 100, 100); break;
            case Ev::DownRight: control.UserControl_MouseDown(kRightButton, 0, 100, 100); break;
            case Ev::UpRight: clicks += control.UserControl_MouseUp(kRightButton, 0, 100, 100); break;
            case Ev::UpMiddle: clicks += control.UserControl_MouseUp(kMiddleButton, 0, 100, 100); break;
            case Ev::TickOwn: Tick(kOwnWindow); break;
            case Ev::TickHost: Tick(kHostWindow); break;
            case Ev::TickOther: Tick(kOtherWindow); break;
            case Ev::TickLost:
                ports.cursor.reset();
                Tick(kOtherWindow);
                ports.cursor = PointerPort::Point{10, 10};
                break;
            case Ev::Resize: control.UserControl_Resize(); break;
            case Ev::LabelMove: control.LblMsg_MouseMove(0, 0, 5, 5); break;
            case Ev::LabelDownLeft: control.LblMsg_MouseDown(kLeftButton, 0, 5, 5); break;
            case Ev::LabelUpLeft: clicks += control.LblMsg_MouseUp(kLeftButton, 0, 5, 5); break;
        }
    }
    void Tick(WindowId under) {
        ports.under = under;
        control.TmrMouse_Timer();
    }
};

using P = SkinPicture;

struct Sequence {
    const char* name;
    bool initialize;
    std::vector<Ev> events;
    int state;
    std::vector<SkinPicture> paints;
    int clicks;
};

TEST(CommandStates, EventSequences) {
    const Sequence sequences[] = {
        {"a move before Initialize leaves the plain look", false, {Ev::Move, Ev::Move}, 0, {}, 0},
        {"the first move after Initialize shows HighLight", true, {Ev::Move}, 2, {P::HighLight}, 0},
        {"moves that keep the state paint nothing", true, {Ev::Move, Ev::Move, Ev::Move}, 2, {P::HighLight}, 0},
        {"hover, press and release: one Click, HighLightSelect", true,
         {Ev::Move, Ev::Focus, Ev::DownLeft, Ev::UpLeft}, 4,
         {P::HighLight, P::Pressed, P::Pressed, P::HighLightSelect}, 1},
        {"press, drag off for a tick, release: no Click, Selected", true,
         {Ev::Move, Ev::Focus, Ev::DownLeft, Ev::TickOther, Ev::UpLeft}, 3,
         {P::HighLight, P::Pressed, P::Pressed, P::Selected}, 0},
        {"coming back while still pressed does not re-arm the Click", true,
         {Ev::Move, Ev::Focus, Ev::DownLeft, Ev::TickHost, Ev::Move, Ev::UpLeft}, 3,
         {P::HighLight, P::Pressed, P::Pressed, P::Selected}, 0},
        {"a second press on a focused hovered button clicks again", true,
         {Ev::Move, Ev::Focus, Ev::DownLeft, Ev::UpLeft, Ev::DownLeft, Ev::UpLeft}, 4,
         {P::HighLight, P::Pressed, P::Pressed, P::HighLightSelect, P::Pressed, P::HighLightSelect}, 2},
        {"right button release over a hovered unfocused button clicks", true,
         {Ev::Move, Ev::DownRight, Ev::UpRight}, 2, {P::HighLight}, 1},
        {"middle button release clicks too", true, {Ev::Move, Ev::UpMiddle}, 2, {P::HighLight}, 1},
        {"a release on a focused button with the pointer away raises nothing", true, {Ev::Focus, Ev::UpRight}, 3,
         {P::Selected}, 0},
        {"left release in state 2 repaints Normal and clicks", true, {Ev::Move, Ev::DownLeft, Ev::UpLeft}, 2,
         {P::HighLight, P::Pressed, P::Normal}, 1},
        {"focus lost over the button shows Normal until the next move", true,
         {Ev::Move, Ev::Focus, Ev::Blur, Ev::TickOwn, Ev::Move}, 2,
         {P::HighLight, P::Pressed, P::Normal, P::HighLight}, 0},
        {"an idle hovered button draws nothing", true, {Ev::Move, Ev::TickOwn, Ev::TickOwn, Ev::TickOwn}, 2,
         {P::HighLight}, 0},
        {"the pointer over the host ends the hover", true, {Ev::Move, Ev::TickHost, Ev::TickHost}, 1,
         {P::HighLight, P::Normal}, 0},
        {"the pointer elsewhere ends the focused hover", true, {Ev::Move, Ev::Focus, Ev::TickOther}, 3,
         {P::HighLight, P::Pressed, P::Selected}, 0},
        {"a tick that cannot read the pointer changes nothing", true, {Ev::Move, Ev::TickLost}, 2, {P::HighLight},
         0},
        {"focus works before Initialize", false, {Ev::Focus, Ev::Blur}, 1, {P::Selected, P::Normal}, 0},
        {"focus lost in state 1 paints nothing", true, {Ev::Blur}, 1, {}, 0},
        {"the caption label's events count as the face's", true,
         {Ev::LabelMove, Ev::Focus, Ev::LabelDownLeft, Ev::LabelUpLeft}, 4,
         {P::HighLight, P::Pressed, P::Pressed, P::HighLightSelect}, 1},
        {"a resize repaints Normal and keeps the state", true, {Ev::Move, Ev::Resize}, 2,
         {P::HighLight, P::Normal}, 0},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        Fixture button(sequence.initialize);
        for (Ev event : sequence.events) button.Run(event);
        EXPECT_EQ(button.control.LookState(), sequence.state);
        EXPECT_EQ(button.ports.Pictures(), sequence.paints);
        EXPECT_EQ(button.clicks, sequence.clicks);
    }
}

TEST(CommandStates, DisabledIgnoresEverythingButResize) {
    Fixture button;
    button.Run(Ev::Move);
    button.control.SetEnabled(false);
    EXPECT_EQ(button.ports.Pictures().back(), P::Disable);
    button.ports.paints.clear();
    for (Ev event : {Ev::Move, Ev::Focus, Ev::DownLeft, Ev::UpLeft, Ev::UpRight, Ev::TickOther, Ev::Blur,
                     Ev::LabelDownLeft, Ev::LabelUpLeft}) {
        button.Run(event);
    }
    EXPECT_EQ(button.clicks, 0);
    EXPECT_TRUE(button.ports.paints.empty());
    EXPECT_EQ(button.control.LookState(), 2);
    EXPECT_FALSE(button.control.MouseIsDown());
    EXPECT_FALSE(button.control.Label().enabled);

    button.Run(Ev::Resize);
    EXPECT_EQ(button.ports.Pictures(), std::vector<SkinPicture>{P::Disable});

    // Enabling paints Normal whatever the kept state; the next event moves on from it.
    button.ports.paints.clear();
    button.control.SetEnabled(true);
    EXPECT_EQ(button.ports.Pictures(), std::vector<SkinPicture>{P::Normal});
    EXPECT_TRUE(button.control.Label().enabled);
    button.Run(Ev::Focus);
    EXPECT_EQ(button.control.LookState(), 4);
}

TEST(CommandStates, InitializeStartsThePollingWithoutPainting) {
    Fixture button(false);
    EXPECT_FALSE(button.control.TimerRunning());
    button.Run(Ev::TickHost);  // no timer yet: nothing happens
    EXPECT_EQ(button.control.LookState(), 0);

    button.control.SetEnabled(false);
    button.ports.paints.clear();
    button.control.Initialize();  // works while disabled too
    EXPECT_TRUE(button.control.TimerRunning());
    EXPECT_EQ(button.ports.timerInterval, 100);
    EXPECT_EQ(button.control.LookState(), 1);
    EXPECT_TRUE(button.ports.paints.empty());
}

TEST(CommandStates, GradientDirectionFollowsThePaints) {
    Fixture button;
    auto lavenderOnTop = [&] { return button.ports.paints.back().gradient->vertices[0].red == 0xC600; };
    button.Run(Ev::Move);  // state 2
    EXPECT_TRUE(lavenderOnTop());
    button.Run(Ev::Focus);  // state 4 keeps the hover's direction
    EXPECT_TRUE(lavenderOnTop());
    button.Run(Ev::TickOther);  // state 3
    EXPECT_FALSE(lavenderOnTop());
    button.Run(Ev::Move);  // state 4 keeps the focused direction
    EXPECT_FALSE(lavenderOnTop());
    button.Run(Ev::Blur);  // state 1
    EXPECT_FALSE(lavenderOnTop());
}

TEST(CommandStates, PaintPlacesTheCaption) {
    Fixture button;
    button.Run(Ev::Move);
    EXPECT_FLOAT_EQ(button.control.Label().top, 80.0f);
    EXPECT_FLOAT_EQ(button.control.Label().width, 1215.0f);
}

}  // namespace
}  // namespace spindle
