// The gradient button's public properties, its stored properties and the host's property store.
#include <gtest/gtest.h>

#include "command_recorder.h"
#include "controls/command/command_control.h"
#include "controls/command/command_font.h"
#include "controls/command/property_bag.h"

namespace spindle {
namespace {

using testing::CommandRecorder;

struct Button {
    CommandRecorder ports;
    CommandControl control{ports, ports, ports};

    // Loaded from stored properties (or placed fresh, without any, when `stored` is null).
    explicit Button(const PropertyBag* stored) {
        if (stored) control.UserControl_ReadProperties(*stored);
        ports.paints.clear();
        ports.changed.clear();
    }
};

MemoryPropertyBag Stored(std::initializer_list<std::pair<const char*, const char*>> values) {
    MemoryPropertyBag bag;
    for (const auto& [key, value] : values) bag.Set(key, value);
    return bag;
}

MemoryPropertyBag WrittenBy(Button& button) {
    MemoryPropertyBag bag;
    button.control.UserControl_WriteProperties(bag);
    return bag;
}

TEST(PropertyBag, KeysIgnoreCaseAndDefaultsAreNotStored) {
    MemoryPropertyBag bag;
    bag.Write("Caption", "OK", "Command");
    EXPECT_EQ(bag.Read("CAPTION", "x"), "OK");
    EXPECT_EQ(bag.Read("caption", "x"), "OK");
    bag.Write("caption", "Command", "Command");  // back to the default: removed, under any spelling
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_EQ(bag.Read("Caption", "Command1"), "Command1");
    bag.Set("Visible", "0");
    bag.Set("VISIBLE", "1");
    EXPECT_EQ(bag.Values().size(), 1u);
}

TEST(CommandFont, TextRoundTripsAndBadTextIsRefused) {
    CaptionFont font;
    font.face = "Tahoma;Bold";  // the face is the last field and may hold the separator
    font.pointSize = 12.5;
    font.weight = 700;
    font.underline = true;
    font.charset = 0;
    EXPECT_EQ(TextToFont(FontToText(font)), font);
    EXPECT_EQ(TextToFont(FontToText(DesignedCaptionFont())), DesignedCaptionFont());
    for (const char* bad : {"", "Arial", "9;400;0;0;0", "x;400;0;0;0;128;Arial", "9;400;2;0;0;128;Arial",
                            "0;400;0;0;0;128;Arial", "-9;400;0;0;0;128;Arial", "9;400;0;0;0;999;Arial",
                            "nan;400;0;0;0;128;Arial", "9 ;400;0;0;0;128;Arial"}) {
        EXPECT_FALSE(TextToFont(bad)) << bad;
    }
}

TEST(CommandProperties, DefaultsWhenNothingIsStored) {
    MemoryPropertyBag none;
    Button button(&none);
    EXPECT_TRUE(button.control.ButtonEnabled());
    EXPECT_EQ(button.control.Caption(), "Command1");
    EXPECT_EQ(button.control.Font(), button.ports.ambient);
    EXPECT_EQ(button.control.FirstRunMarker(), 1);
    EXPECT_FALSE(button.control.Transparent());
    EXPECT_EQ(button.control.Label().colour, 0u);
    // Only the caption differs from its written default.
    MemoryPropertyBag written = WrittenBy(button);
    ASSERT_EQ(written.Values().size(), 1u);
    EXPECT_EQ(written.Read("Caption", ""), "Command1");
}

TEST(CommandProperties, CaptionCommandComesBackAsCommand1) {
    struct Case {
        const char* written;
        const char* readBack;
    };
    for (const Case& c : {Case{"Command", "Command1"}, Case{"保存", "保存"}, Case{"", ""}, Case{"command", "command"}}) {
        MemoryPropertyBag none;
        Button first(&none);
        first.control.SetCaption(c.written);
        MemoryPropertyBag bag = WrittenBy(first);
        Button second(&bag);
        EXPECT_EQ(second.control.Caption(), c.readBack) << c.written;
    }
}

TEST(CommandProperties, StoredValuesAreReadWhateverTheKeysCase) {
    CaptionFont bold = DesignedCaptionFont();
    bold.weight = 700;
    std::string boldText = FontToText(bold);
    MemoryPropertyBag bag = Stored({{"CAPTION", "キャンセル"}, {"font", boldText.c_str()}, {"enabled", "False"},
                                    {"FONTCOLOUR", "255"}, {"visible", "0"}});
    Button button(&bag);
    EXPECT_EQ(button.control.Caption(), "キャンセル");
    EXPECT_TRUE(button.control.Font().Bold());
    EXPECT_FALSE(button.control.ButtonEnabled());
    EXPECT_EQ(button.control.Label().colour, 255u);
    EXPECT_TRUE(button.control.Transparent());
    EXPECT_EQ(button.control.Visible(), 0);

    MemoryPropertyBag written = WrittenBy(button);
    EXPECT_EQ(written.Read("Enabled", ""), "False");
    EXPECT_EQ(written.Read("Visible", ""), "0");
    EXPECT_EQ(written.Read("FontColour", ""), "255");
    EXPECT_EQ(written.Read("Font", ""), boldText);
}

TEST(CommandProperties, UnreadableStoredValuesKeepWhatWasThere) {
    MemoryPropertyBag good = Stored({{"Caption", "OK"}, {"FontColour", "255"}, {"FirstRun", "1"}});
    Button button(&good);
    MemoryPropertyBag bad = Stored({{"Enabled", "maybe"}, {"Font", "Arial"}, {"FirstRun", "300"},
                                    {"FontColour", "-5"}, {"Visible", "2"}});
    button.control.UserControl_ReadProperties(bad);
    EXPECT_TRUE(button.control.ButtonEnabled());
    EXPECT_EQ(button.control.Font(), DesignedCaptionFont());
    EXPECT_EQ(button.control.FirstRunMarker(), 1);
    EXPECT_EQ(button.control.Label().colour, 255u);
    EXPECT_FALSE(button.control.Transparent());
    EXPECT_EQ(button.control.Caption(), "Command1");  // a missing key reads its default
    // The load still ends with the plain look.
    ASSERT_FALSE(button.ports.paints.empty());
    EXPECT_EQ(button.ports.paints.back().picture, SkinPicture::Normal);

    for (const char* colour : {"abc", "16777216", "1e300", ""}) {
        MemoryPropertyBag odd = Stored({{"FontColour", colour}});
        button.control.UserControl_ReadProperties(odd);
        EXPECT_EQ(button.control.Label().colour, 255u) << colour;
    }
}

TEST(CommandProperties, VisibleReadsBackAs255) {
    MemoryPropertyBag none;
    Button button(&none);
    button.control.SetVisible(1);
    EXPECT_FALSE(button.control.Transparent());
    button.ports.paints.clear();
    EXPECT_EQ(button.control.Visible(), 255);
    EXPECT_EQ(button.ports.paints.size(), 1u);  // reading an opaque face restores the plain look

    button.control.SetVisible(0);
    EXPECT_EQ(button.control.Visible(), 0);
    button.control.SetVisible(7);
    EXPECT_EQ(button.control.Visible(), 255);
    EXPECT_EQ(button.ports.changed, (std::vector<std::string>{"Visible", "Visible", "Visible"}));
}

TEST(CommandProperties, FontColourStaysBlackWhileTheFirstRunMarkerIsZero) {
    Button fresh(nullptr);  // placed without stored properties: disabled, marker 0
    fresh.control.SetEnabled(true);
    fresh.control.SetFontColour(0x0000FF);
    EXPECT_EQ(fresh.control.Label().colour, 0u);
    EXPECT_EQ(fresh.control.FontColour(), 0u);

    MemoryPropertyBag none;
    Button loaded(&none);  // marker 1
    loaded.control.SetFontColour(0x0000FF);
    EXPECT_EQ(loaded.control.FontColour(), 0x0000FFu);
    EXPECT_EQ(loaded.ports.changed.back(), "FontColour");

    // A value that is no colour changes nothing and is not reported as a change.
    loaded.ports.changed.clear();
    loaded.control.SetFontColour(0x01000000);
    loaded.control.SetFontColour(-1);
    EXPECT_EQ(loaded.control.FontColour(), 0x0000FFu);
    EXPECT_TRUE(loaded.ports.changed.empty());
}

TEST(CommandProperties, ReadingEnabledOnAFreshControlTurnsItOn) {
    Button fresh(nullptr);
    EXPECT_FALSE(fresh.control.ButtonEnabled());
    EXPECT_EQ(fresh.control.FirstRunMarker(), 0);
    EXPECT_TRUE(fresh.control.Enabled());
    EXPECT_EQ(fresh.control.FirstRunMarker(), 1);
    ASSERT_FALSE(fresh.ports.paints.empty());
    EXPECT_EQ(fresh.ports.paints.back().picture, SkinPicture::Normal);

    fresh.control.SetEnabled(false);
    EXPECT_FALSE(fresh.control.Enabled());
    EXPECT_EQ(fresh.ports.paints.back().picture, SkinPicture::Disable);
}

TEST(CommandProperties, CaptionAndFontChangesNotifyWithoutRepainting) {
    MemoryPropertyBag none;
    Button button(&none);
    button.control.SetCaption("閉じる");
    CaptionFont font = DesignedCaptionFont();
    font.pointSize = 12;
    button.control.SetFont(font);
    EXPECT_TRUE(button.ports.paints.empty());
    EXPECT_EQ(button.ports.changed, (std::vector<std::string>{"Caption", "Font"}));
    EXPECT_EQ(button.control.Font().pointSize, 12);
}

}  // namespace
}  // namespace spindle
