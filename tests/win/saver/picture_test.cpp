// The pictures stored in the program: decoding the Earth resource, and data that is no picture.
#include "runtime/picture_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "resource_ids.h"

namespace spindle {
namespace {

std::uint32_t PixelOf(const DecodedPicture& picture, int x, int y) {
    DIBSECTION section{};
    if (GetObjectW(picture.bitmap.get(), sizeof section, &section) != sizeof section) return 0xDEAD;
    return static_cast<const std::uint32_t*>(section.dsBm.bmBits)[y * picture.width + x] & 0xFFFFFF;
}

TEST(LoadPictureResource, TheEarthIs320SquareOnBlack) {
    DecodedPicture earth = LoadPictureResource(IDR_EARTH_PICTURE);
    ASSERT_TRUE(earth);
    EXPECT_EQ(earth.width, 320);
    EXPECT_EQ(earth.height, 320);
    for (auto corner : {std::pair{0, 0}, std::pair{319, 0}, std::pair{0, 319}, std::pair{319, 319}})
        EXPECT_EQ(PixelOf(earth, corner.first, corner.second), 0u);
    EXPECT_NE(PixelOf(earth, 160, 160), 0u);

    PictureImage image(std::move(earth));
    EXPECT_TRUE(image.Loaded());
    EXPECT_NE(image.Dc(), nullptr);
    EXPECT_EQ(GetPixel(image.Dc(), 0, 0), RGB(0, 0, 0));
}

TEST(LoadPictureResource, MissingOrBrokenPicturesGiveNothing) {
    EXPECT_FALSE(LoadPictureResource(9999));
    EXPECT_FALSE(DecodePicture(nullptr, 100));
    const std::vector<unsigned char> garbage(500, 0x5A);
    EXPECT_FALSE(DecodePicture(garbage.data(), garbage.size()));
    EXPECT_FALSE(DecodePicture(garbage.data(), 0));
    const unsigned char jpegStart[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0};
    EXPECT_FALSE(DecodePicture(jpegStart, sizeof jpegStart));
    PictureImage nothing(DecodedPicture{});
    EXPECT_FALSE(nothing.Loaded());
}

}  // namespace
}  // namespace spindle
