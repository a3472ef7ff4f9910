#include "clock/window/SurfaceImage.h"

namespace dorvane {

QImage SurfaceImage(const c32bppDIB& surface)
{
    if (surface.Width() <= 0 || surface.Height() <= 0 || !surface.BitsPointer())
        return QImage();
    // Blue, green, red, alpha bytes with premultiplied colour are Qt's ARGB32_Premultiplied on a
    // little-endian machine; the surface keeps its rows bottom-up, so the copy is flipped.
    const QImage bottomUp(surface.BitsPointer(), surface.Width(), surface.Height(), surface.scanWidth(),
                          QImage::Format_ARGB32_Premultiplied);
    return bottomUp.mirrored(false, true);
}

QImage ResourceImage(const std::string& type, const std::string& name)
{
    c32bppDIB picture;
    if (!picture.LoadPicture_Resource(name, type))
        return QImage();
    return SurfaceImage(picture);
}

} // namespace dorvane
