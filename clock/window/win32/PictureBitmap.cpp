#include "clock/window/win32/PictureBitmap.h"

#include "resources/IconImages.h"

#include <cstdlib>
#include <cstring>

namespace dorvane {

HBITMAP SurfaceBitmap(const c32bppDIB& surface)
{
    if (surface.Width() <= 0 || surface.Height() <= 0 || !surface.BitsPointer())
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = surface.Width();
    info.bmiHeader.biHeight = surface.Height(); // positive: bottom-up, like the surface
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        std::memcpy(bits, surface.BitsPointer(), static_cast<std::size_t>(surface.scanWidth()) * surface.Height());
    return bitmap;
}

HBITMAP ResourceBitmap(const std::string& type, const std::string& name)
{
    c32bppDIB picture;
    if (!picture.LoadPicture_Resource(name, type))
        return nullptr;
    return SurfaceBitmap(picture);
}

HICON ProgramIcon(int pixels)
{
    const auto sizes = IconImages(EmbeddedResources::Program(), "MAINICON");
    const IconImage* nearest = nullptr;
    for (const IconImage& size : sizes)
        if (!nearest || std::abs(size.pixels - pixels) < std::abs(nearest->pixels - pixels))
            nearest = &size;
    c32bppDIB picture;
    if (!nearest || !picture.LoadPicture_Stream(nearest->bytes))
        return nullptr;
    HBITMAP colour = SurfaceBitmap(picture);
    HBITMAP mask = ::CreateBitmap(picture.Width(), picture.Height(), 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = colour ? ::CreateIconIndirect(&info) : nullptr;
    ::DeleteObject(colour);
    ::DeleteObject(mask);
    return icon;
}

void DrawPicture(HDC dc, HBITMAP bitmap, int x, int y)
{
    BITMAP size{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof size, &size))
        return;
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, size.bmWidth, size.bmHeight, blend);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

} // namespace dorvane
