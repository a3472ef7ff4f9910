// The executable's own resources on Windows, as the system reads them: the program icon is an icon
// group that loads at each size the desktop asks for, and the version resource is the product's.
#include "clock/state/ProductVersion.h"

#include <gtest/gtest.h>

#include <vector>
#include <windows.h>

namespace dorvane {
namespace {

int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST(ModuleResources, TheProgramIconLoadsAtEachSizeAndTheVersionResourceIsTheProducts)
{
    for (int pixels : {16, 32, 48, 256}) {
        HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, pixels, pixels, 0);
        ASSERT_NE(icon, nullptr) << pixels;
        EXPECT_EQ(IconWidth(static_cast<HICON>(icon)), pixels);
        ::DestroyIcon(static_cast<HICON>(icon));
    }

    wchar_t program[MAX_PATH];
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    DWORD unused = 0;
    std::vector<char> version(::GetFileVersionInfoSizeW(program, &unused));
    ASSERT_TRUE(::GetFileVersionInfoW(program, 0, static_cast<DWORD>(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), kVersionMajor);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), kVersionMinor);
}

} // namespace
} // namespace dorvane
