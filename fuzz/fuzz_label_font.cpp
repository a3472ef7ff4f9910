// Labels written anywhere: any bytes as text, any position (far outside the picture, NaN, infinite) and sizes from
// tiny to large, on pictures from 1 x 1 up. Nothing may be written outside the picture, which the sanitizers watch,
// and the width measured must be finite and not negative.
#include "clock/face/LabelFont.h"
#include "fuzz/FuzzInput.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    dorvane::FuzzInput in{data, size};
    const int width = 1 + in.Take<std::uint8_t>() % 64, height = 1 + in.Take<std::uint8_t>() % 32;
    const double pixelSize = 0.25 + in.Take<std::uint8_t>() / 16.0;
    const auto position = in.Take<std::uint8_t>();
    // Mostly near the picture, sometimes any double at all.
    const double x = position & 1 ? in.Take<double>() : in.Take<std::int8_t>();
    const double top = position & 2 ? in.Take<double>() : in.Take<std::int8_t>();
    const dorvane::LabelColour colour{in.Take<std::uint8_t>(), in.Take<std::uint8_t>(), in.Take<std::uint8_t>(),
                                      in.Take<std::uint8_t>()};
    dorvane::c32bppDIB picture;
    picture.InitializeDIB(width, height);
    const dorvane::LabelFont font(pixelSize);
    font.Draw(picture, x, top, in.Rest(), colour);
    const double measured = font.TextWidth(in.Rest());
    dorvane::Require(std::isfinite(measured) && measured >= 0);
    return 0;
}
