// Feeds arbitrary bytes to the PNG decoder, as a surface load would.
#include "image/c32bppDIB.h"
#include "image/png/cPNGparser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    dorvane::c32bppDIB surface;
    dorvane::cPNGparser().LoadStream({data, size}, surface, 0, static_cast<std::int64_t>(size));
    return 0;
}
