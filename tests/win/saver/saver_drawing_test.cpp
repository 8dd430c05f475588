// A frame of the saver drawn into an off-screen Display: the picture centred (cut on small
// surfaces), black elsewhere, and the red, green and blue lines over it.
#include "saver/saver_display_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "runtime/picture_win.h"
#include "saver/saver_controller.h"

namespace spindle {
namespace {

class SilentMusic : public MusicRoutines {
public:
    void CdOpen() override {}
    void CdPoll() override {}
    void CdPreviousTrack() override {}
    void CdNextTrack() override {}
    void CdClose() override {}
    void Mp3Open() override {}
    void Mp3Rewind() override {}
    void Mp3Close() override {}
    void WavPlay() override {}
    void WavStop() override {}
    bool CdPolling() const override { return false; }
};

class NoSystem : public SystemSettingsPort {
public:
    std::int32_t ShowCursor(std::int32_t) override { return 0; }
    void SetSystemParameter(std::uint32_t, std::uint32_t) override {}
};

// The window around a real Display of a chosen size, without a window: one frame, then the end.
class OneFrameForm : public SaverFormPort, public EventYield {
public:
    OneFrameForm(SaverDisplay& display, int width, int height) : display_(display), width_(width), height_(height) {}
    void CoverScreen() override {}
    void CoverWindowWithDisplay() override { display_.Cover(width_, height_, 15, 15); }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    double PictureWidth() override { return display_.PictureWidth(); }
    double PictureHeight() override { return display_.PictureHeight(); }
    void CopyPictureToDisplay(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        display_.CopyPicture(x, y, w, h);
    }
    void KeepDisplayImageAsBackground() override { display_.KeepAsBackground(); }
    void SetTimer1Enabled(bool) override {}
    void SetTimer2Enabled(bool) override {}
    bool Timer2Enabled() override { return false; }
    void ShowNormal() override {}
    void MakeTopmost() override {}
    void Unload() override {}
    void EndProcess() override {}
    void YieldToEvents() override { controller->EndSaver(); }

    SaverController* controller = nullptr;

private:
    SaverDisplay& display_;
    int width_, height_;
};

// The Earth picture as decoded pixels, 0x00RRGGBB.
struct Reference {
    Reference() : picture(LoadPictureResource(IDR_EARTH_PICTURE)) {
        DIBSECTION section{};
        if (picture && GetObjectW(picture.bitmap.get(), sizeof section, &section) == sizeof section)
            bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    }
    std::uint32_t At(int x, int y) const { return bits[y * picture.width + x] & 0xFFFFFF; }
    DecodedPicture picture;
    const std::uint32_t* bits = nullptr;
};

struct Frame {
    Frame(int width, int height) : form(display, width, height) {
        form.controller = &controller;
        controller.Form_Load();  // the first frame, then EndSaver stops the loop
    }
    std::uint32_t At(int x, int y) const {
        return display.Image().Pixels()[y * display.Image().WidthPixels() + x] & 0xFFFFFF;
    }
    SaverDisplay display;
    OneFrameForm form;
    SilentMusic music;
    NoSystem system;
    SettingsValues settings{1, 0, 0, ""};
    std::int32_t cursor = 0;
    SaverController controller{form, display, form, music, system, settings, "", cursor};
};

// Checks the cleared Display: the picture with its top-left corner at (left, top), black around it.
void ExpectPictureAt(const Frame& frame, const Reference& earth, int left, int top) {
    const int width = frame.display.Image().WidthPixels(), height = frame.display.Image().HeightPixels();
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int px = x - left, py = y - top;
            const bool inside = px >= 0 && py >= 0 && px < 320 && py < 320;
            const std::uint32_t expected = inside ? earth.At(px, py) : 0;
            if (frame.At(x, y) != expected && ++wrong < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << frame.At(x, y) << " not "
                              << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(SaverFrame, PictureCentredAndLinesInAllThreeColours) {
    Reference earth;
    ASSERT_TRUE(earth.bits);
    Frame frame(1920, 1080);
    ASSERT_EQ(frame.display.Image().WidthPixels(), 1920);
    int red = 0, green = 0, blue = 0;
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            if (x >= 800 && x < 1120 && y >= 380 && y < 700) continue;  // the picture
            const std::uint32_t c = frame.At(x, y);
            if (c == 0) continue;
            const std::uint32_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
            red += r && !g && !b;
            green += g && !r && !b;
            blue += b && !r && !g;
        }
    }
    EXPECT_GT(red, 1000);
    EXPECT_GT(green, 1000);
    EXPECT_GT(blue, 1000);
    // Lines lie over the picture too.
    int covered = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 320; ++x) covered += frame.At(800 + x, 380 + y) != earth.At(x, y);
    }
    EXPECT_GT(covered, 100);

    frame.display.Cls();
    ExpectPictureAt(frame, earth, 800, 380);
}

TEST(SaverFrame, PictureCutOnSurfacesSmallerThanIt) {
    Reference earth;
    ASSERT_TRUE(earth.bits);
    struct Case {
        int width, height, left, top;
    };
    // Centring rounds half to even: (1921 - 320) / 2 = 800.5 gives 800, (1083 - 320) / 2 = 381.5 gives 382.
    for (const Case& c : {Case{200, 150, -60, -85}, Case{319, 321, 0, 0}, Case{1, 1, -160, -160},
                          Case{1921, 1083, 800, 382}}) {
        Frame frame(c.width, c.height);
        ASSERT_EQ(frame.display.Image().WidthPixels(), c.width);
        frame.display.Cls();
        ExpectPictureAt(frame, earth, c.left, c.top);
    }
}

}  // namespace
}  // namespace spindle
