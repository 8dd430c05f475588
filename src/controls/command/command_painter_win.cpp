// The gradient button's painter: StretchBlt for the frame, GradientFill for the face.
#include "controls/command/command_painter_win.h"

#include "resource_ids.h"
#include "runtime/runtime_error.h"

// gdi32's own GradientFill, as the Windows SDK declares it (msimg32's export only forwards to it, and
// msimg32 is no KnownDLL); the mingw headers leave it out.
extern "C" WINGDIAPI BOOL WINAPI GdiGradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nCount,
                                                 ULONG ulMode);

namespace spindle {

CommandPainterWin::CommandPainterWin() {
    HINSTANCE module = GetModuleHandleW(nullptr);
    for (int index = 0; index < kSkinPictureCount; ++index) {
        HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(IDB_COMMAND_NORMAL + index), IMAGE_BITMAP, 0, 0,
                                  LR_CREATEDIBSECTION);
        skins_[index].reset(static_cast<HBITMAP>(image));
    }
}

bool CommandPainterWin::SkinsLoaded() const {
    for (const auto& skin : skins_) {
        if (!skin) return false;
    }
    return true;
}

void CommandPainterWin::CarryOut(HDC face, SIZE facePixels, COLORREF background, const PaintPlan& plan) const {
    if (plan.clear) {
        RECT whole{0, 0, facePixels.cx, facePixels.cy};
        ScopedBrush backgroundBrush(CreateSolidBrush(background));
        if (backgroundBrush) FillRect(face, &whole, backgroundBrush.get());
    }

    if (plan.gradient) {
        TRIVERTEX vertices[2];
        for (int index = 0; index < 2; ++index) {
            const TriVertex& from = plan.gradient->vertices[index];
            vertices[index].x = from.x;
            vertices[index].y = from.y;
            vertices[index].Red = from.red;
            vertices[index].Green = from.green;
            vertices[index].Blue = from.blue;
            vertices[index].Alpha = from.alpha;
        }
        GRADIENT_RECT mesh{plan.gradient->mesh.upperLeft, plan.gradient->mesh.lowerRight};
        GdiGradientFill(face, vertices, 2, &mesh, 1, plan.gradient->mode);
    }

    const auto& skin = skins_[static_cast<int>(plan.picture)];
    if (!skin) return;
    ScopedMemoryDC source(face);
    if (!source.get()) return;
    ScopedSelectObject selected(source.get(), skin.get());
    int previousMode = SetStretchBltMode(face, COLORONCOLOR);
    for (const FramePiece& piece : plan.pieces) {
        RunStep([&] {
            PixelRect from = ToPixels(piece.source);
            PixelRect to = ToPixels(piece.destination);
            StretchBlt(face, to.x, to.y, to.width, to.height, source.get(), from.x, from.y, from.width, from.height,
                       SRCCOPY);
        });
    }
    if (previousMode) SetStretchBltMode(face, previousMode);
}

}  // namespace spindle
