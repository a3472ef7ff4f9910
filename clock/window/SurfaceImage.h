#pragma once

#include "image/c32bppDIB.h"

#include <QImage>

#include <string>

namespace dorvane {

// A surface's picture as a Qt image (top row first, premultiplied); a null image for an empty one.
QImage SurfaceImage(const c32bppDIB& surface);

// One of the program's own pictures, decoded by the image engine; a null image when it is missing.
QImage ResourceImage(const std::string& type, const std::string& name);

} // namespace dorvane
