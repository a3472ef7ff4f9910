// Arbitrary bytes to a picture reader, as a surface load gives them: the PNG decoder (FUZZ_PNG), the BMP and picture
// converter (FUZZ_BMP: BMP, GIF and JPEG, through the alpha scan), or the icon and cursor reader (FUZZ_ICON).
#include "image/c32bppDIB.h"
#include "image/formats/IconReader.h"
#include "image/formats/cBMPparser.h"
#include "image/png/cPNGparser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    dorvane::c32bppDIB surface;
#if defined(FUZZ_PNG)
    dorvane::cPNGparser().LoadStream({data, size}, surface, 0, static_cast<std::int64_t>(size));
#elif defined(FUZZ_BMP)
    dorvane::cBMPparser().LoadStream({data, size}, surface, 0, static_cast<std::int64_t>(size));
#else
    if (auto picture = dorvane::IconReader::Read({data, size}))
        dorvane::cBMPparser().ConvertstdPicTo32bpp(picture.value(), surface);
#endif
    return 0;
}
