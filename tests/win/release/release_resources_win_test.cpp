// The built Spindlewave.scr as Windows itself reads it: Explorer's version page, the icon in
// each size the shell asks for, and the saver's name for the screen-saver list.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/launched_process_win.h"

namespace spindle {
namespace {

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &size) ||
        size < sizeof(Translation)) {
        return L"<no translation>";
    }
    wchar_t path[96];
    swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language, translations[0].codePage, name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &size) || !value) return L"<missing>";
    return value;
}

TEST(ReleaseResources, VersionPageShowsTheRelease) {
    const std::wstring path = test::SaverPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Spindlewave");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.0.0");
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.0.0");
    // The Japanese description survives the resource compiler as Unicode, not as mojibake.
    EXPECT_EQ(VersionString(block, L"FileDescription"),
              L"Spindlewave \x30b9\x30af\x30ea\x30fc\x30f3 \x30bb\x30fc\x30d0\x30fc");
}

class LoadedAsData : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(test::SaverPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

TEST_F(LoadedAsData, IconLoadsInEachShellSize) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(LoadedAsData, ScreenSaverListNameIsString1) {
    wchar_t name[64] = {};
    ASSERT_GT(LoadStringW(module_, 1, name, 64), 0);
    EXPECT_STREQ(name, L"Spindlewave");
}

}  // namespace
}  // namespace spindle
