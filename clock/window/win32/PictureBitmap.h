#pragma once

#include "image/c32bppDIB.h"

#include <windows.h>

#include <string>

namespace dorvane {

// A 32-bit device-independent bitmap with a surface's picture: blue, green, red and premultiplied
// alpha, rows bottom-up as the surface keeps them, ready for UpdateLayeredWindow or AlphaBlend.
// nullptr for an empty surface. The caller owns it (DeleteObject).
HBITMAP SurfaceBitmap(const c32bppDIB& surface);

// One of the program's own pictures as such a bitmap; nullptr when it is missing.
HBITMAP ResourceBitmap(const std::string& type, const std::string& name);

// The program icon at the size nearest to pixels, from the program's own icon pictures; nullptr
// when there are none. The caller owns it (DestroyIcon).
HICON ProgramIcon(int pixels);

// Draws bitmap (premultiplied) over whatever dc holds, at (x, y), at its own size.
void DrawPicture(HDC dc, HBITMAP bitmap, int x, int y);

} // namespace dorvane
