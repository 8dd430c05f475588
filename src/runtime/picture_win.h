// Pictures stored in the program: a JPEG (or any format the system's imaging codecs read) from
// an RCDATA resource, decoded into a 32-bit top-down DIB section.
#pragma once

#include <windows.h>

#include <cstddef>

#include "runtime/scoped_gdi_win.h"

namespace spindle {

struct DecodedPicture {
    ScopedBitmap bitmap;  // empty when the picture could not be read
    int width = 0;
    int height = 0;
    explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// Decodes an encoded picture held in memory.
DecodedPicture DecodePicture(const void* data, std::size_t size);

// Decodes the RCDATA resource `id` of the module (null: this program).
DecodedPicture LoadPictureResource(int id, HMODULE module = nullptr);

// A decoded picture selected into its own memory DC, ready to be copied from with BitBlt.
class PictureImage {
public:
    explicit PictureImage(DecodedPicture picture);
    ~PictureImage();
    PictureImage(const PictureImage&) = delete;
    PictureImage& operator=(const PictureImage&) = delete;

    bool Loaded() const { return static_cast<bool>(picture_); }
    HDC Dc() const { return dc_.get(); }
    int Width() const { return picture_.width; }
    int Height() const { return picture_.height; }

private:
    DecodedPicture picture_;
    ScopedMemoryDC dc_;
    HGDIOBJ original_ = nullptr;
};

}  // namespace spindle
