// Labels written anywhere: any bytes as text, any position (far outside the picture, NaN, infinite)
// and sizes from tiny to large, on pictures from 1 x 1 up. Nothing may be written outside the
// picture, which the sanitizers watch, and the width measured must be finite and not negative.

#include "clock/face/LabelFont.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size)
{
    T value{};
    const std::size_t n = std::min(sizeof(T), size);
    std::memcpy(&value, data, n);
    data += n, size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int width = 1 + Take<std::uint8_t>(data, size) % 64, height = 1 + Take<std::uint8_t>(data, size) % 32;
    const double pixelSize = 0.25 + Take<std::uint8_t>(data, size) / 16.0;
    const auto position = Take<std::uint8_t>(data, size);
    // Mostly near the picture, sometimes any double at all.
    const double x = position & 1 ? Take<double>(data, size) : Take<std::int8_t>(data, size);
    const double top = position & 2 ? Take<double>(data, size) : Take<std::int8_t>(data, size);
    const dorvane::LabelColour colour{Take<std::uint8_t>(data, size), Take<std::uint8_t>(data, size),
                                      Take<std::uint8_t>(data, size), Take<std::uint8_t>(data, size)};
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    dorvane::c32bppDIB picture;
    picture.InitializeDIB(width, height);
    const dorvane::LabelFont font(pixelSize);
    font.Draw(picture, x, top, text, colour);
    const double measured = font.TextWidth(text);
    if (!std::isfinite(measured) || measured < 0)
        std::abort();
    return 0;
}
