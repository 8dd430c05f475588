// Planting the preview: the steps in order, the sizes in twips and pixels, and hosts that name
// no window or are too large.
#include "startup/preview_start.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spindle {
namespace {

class RecordingPreview : public PreviewPort {
public:
    bool HostIsWindow(std::int32_t host) override {
        log.push_back("IsWindow " + std::to_string(host));
        return hostExists;
    }
    HostRect HostWindowRect(std::int32_t) override {
        log.push_back("GetWindowRect");
        return rect;
    }
    double TwipsPerPixelX() override { return twipsX; }
    double TwipsPerPixelY() override { return twipsY; }
    void LoadForm() override { log.push_back("Load"); }
    std::uint32_t FormStyle() override { return 0x96000000; }  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS
    void SetFormStyle(std::uint32_t style) override { log.push_back("Style " + std::to_string(style)); }
    void SetFormParent(std::int32_t host) override { log.push_back("SetParent " + std::to_string(host)); }
    void MoveForm(double left, double top, double width, double height) override {
        log.push_back("Move " + Text(left) + " " + Text(top) + " " + Text(width) + " " + Text(height));
    }
    void PlaceImage(double left, double top, double width, double height) override {
        log.push_back("Image " + Text(left) + " " + Text(top) + " " + Text(width) + " " + Text(height));
    }
    void ShowForm() override { log.push_back("Show"); }
    void UnloadForm() override { log.push_back("Unload"); }
    void EndProcess() override { log.push_back("End"); }

    static std::string Text(double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s;
    }

    std::vector<std::string> log;
    bool hostExists = true;
    HostRect rect{100, 200, 252, 312};
    double twipsX = 15, twipsY = 15;
};

TEST(StartPreview, PlantsTheFormIntoTheHostStepByStep) {
    RecordingPreview preview;
    StartPreview(1234, preview);
    const std::vector<std::string> expected = {
        "IsWindow 1234", "GetWindowRect", "Load", "Style " + std::to_string(0xD6000000u),  // only WS_CHILD added
        "SetParent 1234", "Move 0 0 2280 1680", "Image 0 0 152 112", "Show"};
    EXPECT_EQ(preview.log, expected);
}

TEST(StartPreview, SizesFollowTheScreensFactors) {
    struct Case {
        HostRect rect;
        double twipsX, twipsY;
        std::string move, image;
    };
    const Case cases[] = {
        {{0, 0, 200, 150}, 15, 15, "Move 0 0 3000 2250", "Image 0 0 200 150"},
        {{0, 0, 152, 112}, 10, 10, "Move 0 0 1520 1120", "Image 0 0 152 112"},  // 144 DPI
        // 12.5 twips per pixel: 33 * 12.5 = 412.5 rounds to 412, 11 * 12.5 = 137.5 to 138.
        {{0, 0, 33, 11}, 12.5, 12.5, "Move 0 0 412 138", "Image 0 0 32.96 11.04"},
        {{50, 50, 50, 50}, 15, 15, "Move 0 0 0 0", "Image 0 0 0 0"},
        {{0, 0, 2184, 10}, 15, 15, "Move 0 0 32760 150", "Image 0 0 2184 10"},
    };
    for (const Case& c : cases) {
        RecordingPreview preview;
        preview.rect = c.rect;
        preview.twipsX = c.twipsX;
        preview.twipsY = c.twipsY;
        StartPreview(7, preview);
        ASSERT_EQ(preview.log.size(), 8u);
        EXPECT_EQ(preview.log[5], c.move);
        EXPECT_EQ(preview.log[6], c.image);
    }
}

TEST(StartPreview, AHandleThatNamesNoWindowEndsTheProcessAtOnce) {
    for (std::int32_t host : {0, -1, 99999, 0x7FFFFFFF}) {
        RecordingPreview preview;
        preview.hostExists = false;
        StartPreview(host, preview);
        EXPECT_EQ(preview.log, (std::vector<std::string>{"IsWindow " + std::to_string(host), "End"}));
    }
}

TEST(StartPreview, AHostTooLargeForSixteenBitTwipsLoadsNothingAndEnds) {
    RecordingPreview preview;
    preview.rect = HostRect{0, 0, 2185, 100};  // 32775 twips
    StartPreview(5, preview);
    EXPECT_EQ(preview.log, (std::vector<std::string>{"IsWindow 5", "GetWindowRect", "End"}));
}

}  // namespace
}  // namespace spindle
