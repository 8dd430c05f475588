// Planting the preview: the steps in order, the sizes in twips and pixels, and hosts that name
// no window, are too large or fail part way.
#include "preview/preview_start.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace spindle {
namespace {

using Log = std::vector<std::string>;

struct RecordingPreview : PreviewPort {
    RecordingPreview(bool exists, HostRect box, double factor) : hostExists(exists), rect(box), twips(factor) {}
    bool HostIsWindow(std::int32_t host) override { return Note("IsWindow", host), hostExists; }
    HostRect HostWindowRect(std::int32_t) override { return Note("GetWindowRect"), rect; }
    double TwipsPerPixelX() override { return twips; }
    double TwipsPerPixelY() override { return twips; }
    void LoadForm() override { Note("Load"); }
    std::uint32_t FormStyle() override { return 0x96000000; }  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS
    void SetFormStyle(std::uint32_t style) override { Note("Style", style); }
    void SetFormParent(std::int32_t host) override { Note("SetParent", host); }
    void MoveForm(double l, double t, double w, double h) override { Note("Move", l, t, w, h); }
    void PlaceImage(double l, double t, double w, double h) override { Note("Image", l, t, w, h); }
    void ShowForm() override { Note("Show"); }
    void UnloadForm() override { Note("Unload"); }
    void EndProcess() override { Note("End"); }
    template <typename... Values>
    void Note(const char* step, Values... values) {
        std::ostringstream text;
        ((text << step), ..., (text << ' ' << values));
        log.push_back(text.str());
        if (log.back() == failing) throw std::runtime_error(failing);
    }
    Log log;
    bool hostExists;
    HostRect rect;
    double twips;
    std::string failing;
};

TEST(StartPreview, PlantsTheFormStepByStepOrEndsAtOnce) {
    auto planted = [](std::string move, std::string image) {  // the style gets WS_CHILD added
        return Log{"IsWindow 7", "GetWindowRect", "Load", "Style 3590324224", "SetParent 7", move, image, "Show"};
    };
    const std::tuple<bool, HostRect, double, Log> cases[] = {
        {true, {100, 200, 252, 312}, 10, planted("Move 0 0 1520 1120", "Image 0 0 152 112")},  // 144 DPI
        // 33 * 12.5 = 412.5 rounds to 412, 11 * 12.5 = 137.5 to 138.
        {true, {0, 0, 33, 11}, 12.5, planted("Move 0 0 412 138", "Image 0 0 32.96 11.04")},
        {true, {50, 50, 50, 50}, 15, planted("Move 0 0 0 0", "Image 0 0 0 0")},
        {true, {0, 0, 2184, 10}, 15, planted("Move 0 0 32760 150", "Image 0 0 2184 10")},
        {true, {0, 0, 2185, 100}, 15, {"IsWindow 7", "GetWindowRect", "End"}},  // 32775 twips: too large
        {false, {}, 15, {"IsWindow 7", "End"}},                                 // a handle that names no window
    };
    for (const auto& [hostExists, rect, twips, log] : cases) {
        RecordingPreview preview(hostExists, rect, twips);
        StartPreview(7, preview);
        EXPECT_EQ(preview.log, log) << rect.right << " " << twips;
    }
    RecordingPreview refused(true, {0, 0, 10, 10}, 15);  // a failed step unloads the form: nothing is left
    refused.failing = "SetParent 7";
    StartPreview(7, refused);
    EXPECT_EQ(refused.log, (Log{"IsWindow 7", "GetWindowRect", "Load", "Style 3590324224", "SetParent 7", "Unload",
                                "End"}));
}

}  // namespace
}  // namespace spindle
