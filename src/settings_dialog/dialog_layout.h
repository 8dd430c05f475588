// Where the dialog's parts stand: designed in twips, placed in pixels at the DPI of the monitor
// the dialog is on. Every placement is worked out afresh from the design, so a dialog moved from
// monitor to monitor never drifts.
#pragma once

namespace spindle {

// Left, top, width and height in twips, relative to the part's parent.
struct DesignRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct PlacedRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const PlacedRect&, const PlacedRect&) = default;
};

struct PixelExtent {
    int width = 0, height = 0;
    friend bool operator==(const PixelExtent&, const PixelExtent&) = default;
};

// The form's client area.
inline constexpr int kDialogClientWidthTwips = 6975;
inline constexpr int kDialogClientHeightTwips = 2895;

// On the form.
inline constexpr DesignRect kPic1Design{240, 240, 6495, 1755};
inline constexpr DesignRect kCmdSetDesign{4260, 2160, 1215, 375};
inline constexpr DesignRect kCmdCanDesign{5520, 2160, 1215, 375};
inline constexpr DesignRect kCreditDesign{240, 2100, 2475, 195};
inline constexpr DesignRect kUrlDesign{240, 2340, 3105, 195};
inline constexpr DesignRect kImgRaDesign[2] = {{10080, 420, 180, 180}, {10080, 660, 180, 180}};
// Inside Pic_1; the music rows in the order of their kinds: none, audio CD, file.
inline constexpr DesignRect kBgmHeadingDesign{120, 180, 1515, 255};
inline constexpr DesignRect kBgmFrameDesign{120, 120, 1515, 315};
inline constexpr DesignRect kImgBgmDesign[3] = {{540, 840, 195, 195}, {540, 540, 195, 195}, {540, 1140, 195, 195}};
inline constexpr DesignRect kLblBgmDesign[3] = {{780, 840, 345, 195}, {780, 540, 645, 195}, {780, 1140, 900, 195}};
inline constexpr DesignRect kRepeatBoxDesign{1800, 480, 615, 300};
inline constexpr DesignRect kRepeatCaptionDesign{2460, 540, 990, 195};
inline constexpr DesignRect kCmdBgmDesign{1800, 1020, 435, 375};
inline constexpr DesignRect kFileNameDesign{2400, 1020, 3855, 495};
inline constexpr DesignRect kSpeedHeadingDesign{3780, 180, 1515, 255};
inline constexpr DesignRect kSpeedFrameDesign{3780, 120, 1515, 315};
inline constexpr DesignRect kSlowDesign{4380, 540, 375, 195};
inline constexpr DesignRect kSpeedBarDesign{4800, 480, 1035, 255};
inline constexpr DesignRect kFastDesign{5880, 540, 375, 195};
inline constexpr DesignRect kSpeedCaptionDesign{4800, 780, 1005, 195};

// The caption font's size.
inline constexpr double kDialogFontPoints = 9.75;
// The selection marks are 12 pixels square at 96 DPI; the repeat box's list drops 160 pixels.
inline constexpr int kMarkPixels96 = 12;
inline constexpr int kDropListPixels96 = 160;

// A part's place at a DPI: left, top, width and height each rounded to whole pixels.
PlacedRect PlaceAt(const DesignRect& design, int dpi);
// The client area at a DPI: exactly twice as large at 192 as at 96.
PixelExtent DialogClientAt(int dpi);
// The side of a selection mark and the drop of the repeat list at a DPI.
int MarkPixelsAt(int dpi);
int DropListPixelsAt(int dpi);

}  // namespace spindle
