// Feeds arbitrary bytes to the icon and cursor reader (bitmap entries with their masks, and PNG
// entries), then converts what it read.
#include "image/formats/IconReader.h"
#include "image/c32bppDIB.h"
#include "image/formats/cBMPparser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto picture = dorvane::IconReader::Read({data, size});
    if (picture) {
        dorvane::c32bppDIB surface;
        dorvane::cBMPparser().ConvertstdPicTo32bpp(picture.value(), surface);
    }
    return 0;
}
