// Makes the gradient button's six skin pictures (64 x 25, 24-bit BMP) from the colours of their
// four-pixel frame ring. "make_skins DIR" writes them; "make_skins --check DIR" compares.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 25;
constexpr int kRing = 4;
constexpr int kFirstSideRow = kRing;
constexpr int kLastSideRow = kHeight - kRing - 1;

using Rgb = std::uint32_t;  // 0xRRGGBB

int Red(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(Rgb c) { return static_cast<int>(c & 0xFF); }
Rgb Make(long r, long g, long b) { return static_cast<Rgb>((r << 16) | (g << 8) | b); }

// Weight `t` of `a`, the rest of `b`.
Rgb Blend(Rgb a, Rgb b, double t) {
    auto mix = [t](int x, int y) { return std::lround(x * t + y * (1.0 - t)); };
    return Make(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

// A ring line along a side: constant along the top and bottom, shading from `start` (row 4) to
// `end` (row 20) down the left and right sides.
struct Shade {
    Rgb start;
    Rgb end;
};
Shade Flat(Rgb c) { return Shade{c, c}; }

struct Look {
    const char* file;
    std::array<Rgb, kRing> top;
    std::array<Rgb, kRing> bottom;
    std::array<Shade, kRing> left;
    std::array<Shade, kRing> right;
    int frameLine;  // the line that carries the frame, where the corners bend
};

constexpr Rgb kFrameBlue = 0x003C74;

std::vector<Look> Looks() {
    const Look normal{"normal.bmp",
                      {0xE0DCC9, kFrameBlue, 0xF3F3EE, 0xF3F3EE},
                      {0xF7F6EF, kFrameBlue, 0xD6D0C5, 0xE2DFD6},
                      {Flat(0xE2DECB), Flat(kFrameBlue), Shade{0xFDFDFC, 0xECEBE6}, Shade{0xFDFDFC, 0xECEBE6}},
                      {Flat(0xF0EEE0), Flat(kFrameBlue), Shade{0xF6F4F2, 0xE0DDD4}, Shade{0xF6F4F2, 0xE0DDD4}},
                      1};
    Look highlight = normal;
    highlight.file = "highlight.bmp";
    highlight.top[2] = 0xFFF0CF;
    highlight.top[3] = 0xFDD889;
    highlight.bottom[2] = 0xE59700;
    highlight.bottom[3] = 0xF8B330;
    highlight.left[2] = highlight.left[3] = highlight.right[2] = highlight.right[3] = Shade{0xFEDF9A, 0xF9B435};
    Look highlightSelect = highlight;
    highlightSelect.file = "highlight_select.bmp";
    Look selected = normal;
    selected.file = "selected.bmp";
    selected.top[2] = selected.top[3] = 0xCEE7FF;
    selected.bottom[2] = selected.bottom[3] = 0x6982EE;
    selected.left[2] = selected.left[3] = selected.right[2] = selected.right[3] = Shade{0xB7D0F4, 0x8BADE4};
    const Look pressed{"pressed.bmp",
                       {0xECE9D8, 0xE0DCC9, kFrameBlue, 0xD1CCC1},
                       {0xECE9D8, 0xF6F5ED, kFrameBlue, 0xF2F1EE},
                       {Flat(0xECE9D8), Flat(0xE2DECB), Flat(kFrameBlue), Shade{0xA0ABB1, 0xBCC5C7}},
                       {Flat(0xECE9D8), Flat(0xEDEADA), Flat(kFrameBlue), Shade{0xA9B5BD, 0xC4CED2}},
                       2};
    const Look disable{"disable.bmp",
                       {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
                       {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
                       {Flat(0xECE9D8), Flat(0xC9C7BA), Flat(0xF5F4EA), Flat(0xF5F4EA)},
                       {Flat(0xECE9D8), Flat(0xC9C7BA), Flat(0xF5F4EA), Flat(0xF5F4EA)},
                       1};
    return {normal, highlight, highlightSelect, selected, pressed, disable};
}

Rgb Along(const Shade& shade, int row) {
    if (row <= kFirstSideRow) return shade.start;
    if (row >= kLastSideRow) return shade.end;
    double t = static_cast<double>(row - kFirstSideRow) / (kLastSideRow - kFirstSideRow);
    return Blend(shade.end, shade.start, t);
}

// A corner pixel, in coordinates counted from the corner's two edges. The frame line bends
// round the corner: its square corner point fades toward the outside, its neighbours keep most
// of the frame colour and the inner corner point fades toward the face.
Rgb CornerPixel(const Look& look, bool topCorner, bool leftCorner, int fromSide, int fromEdge) {
    const auto& horizontal = topCorner ? look.top : look.bottom;
    const auto& vertical = leftCorner ? look.left : look.right;
    const int row = topCorner ? kFirstSideRow : kLastSideRow;
    auto lineColour = [&](int line, bool onHorizontal) {
        return onHorizontal ? horizontal[line] : Along(vertical[line], row);
    };
    const int f = look.frameLine;
    const Rgb frame = horizontal[f];
    const bool blueFrame = frame == kFrameBlue;
    if (fromSide == f && fromEdge == f) return blueFrame ? 0x7A95A8 : Blend(frame, lineColour(f - 1, true), 0.45);
    if (fromSide == f + 1 && fromEdge == f) return blueFrame ? 0x255783 : Blend(frame, lineColour(f - 1, true), 0.83);
    if (fromSide == f && fromEdge == f + 1) return blueFrame ? 0x164D7E : Blend(frame, lineColour(f - 1, false), 0.9);
    if (fromSide == f + 1 && fromEdge == f + 1) {
        Rgb inner = f + 1 < kRing ? lineColour(f + 1, true) : frame;
        return blueFrame ? 0x6788A0 : Blend(frame, inner, 0.6);
    }
    // Elsewhere the nearer edge decides; the diagonal goes to the horizontal side.
    return fromEdge <= fromSide ? lineColour(fromEdge, true) : lineColour(fromSide, false);
}

Rgb Pixel(const Look& look, int x, int y) {
    const bool inTopRows = y < kRing;
    const bool inBottomRows = y >= kHeight - kRing;
    const bool inLeftColumns = x < kRing;
    const bool inRightColumns = x >= kWidth - kRing;
    if ((inTopRows || inBottomRows) && (inLeftColumns || inRightColumns)) {
        int fromSide = inLeftColumns ? x : kWidth - 1 - x;
        int fromEdge = inTopRows ? y : kHeight - 1 - y;
        return CornerPixel(look, inTopRows, inLeftColumns, fromSide, fromEdge);
    }
    if (inTopRows) return look.top[y];
    if (inBottomRows) return look.bottom[kHeight - 1 - y];
    if (inLeftColumns) return Along(look.left[x], y);
    if (inRightColumns) return Along(look.right[kWidth - 1 - x], y);
    return look.top[kRing - 1];  // the interior is never drawn
}

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

std::vector<unsigned char> Bitmap(const Look& look) {
    const std::uint32_t rowBytes = (kWidth * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * kHeight;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 14 + 40 + pixelBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, 14 + 40, 4);
    PutLe(out, 40, 4);
    PutLe(out, kWidth, 4);
    PutLe(out, kHeight, 4);  // bottom-up
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);  // BI_RGB
    PutLe(out, pixelBytes, 4);
    PutLe(out, 3780, 4);  // 96 DPI
    PutLe(out, 3780, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = kHeight - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < kWidth; ++x, written += 3) {
            Rgb c = Pixel(look, x, y);
            out.push_back(static_cast<unsigned char>(Blue(c)));
            out.push_back(static_cast<unsigned char>(Green(c)));
            out.push_back(static_cast<unsigned char>(Red(c)));
        }
        for (; written < rowBytes; ++written) out.push_back(0);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: make_skins [--check] DIR\n");
        return 2;
    }
    std::string folder = argv[argc - 1];
    int failures = 0;
    for (const Look& look : Looks()) {
        std::string path = folder + "/" + look.file;
        std::vector<unsigned char> bytes = Bitmap(look);
        if (check) {
            std::ifstream in(path, std::ios::binary);
            std::vector<unsigned char> stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (stored != bytes) {
                std::fprintf(stderr, "%s differs from what the tool makes\n", path.c_str());
                ++failures;
            }
        } else {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
