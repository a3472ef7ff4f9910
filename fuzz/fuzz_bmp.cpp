// Feeds arbitrary bytes to the BMP and picture converter: 32-bit BMPs, BMPs of every other depth
// and compression, GIF and JPEG, through the alpha scan.
#include "image/c32bppDIB.h"
#include "image/formats/cBMPparser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    dorvane::c32bppDIB surface;
    dorvane::cBMPparser().LoadStream({data, size}, surface, 0, static_cast<std::int64_t>(size));
    return 0;
}
