// Render with arbitrary parameters (sizes, negative sizes, source rectangles, angles including NaN and huge values,
// opacities, interpolation, back-end switches) between small surfaces: nothing may be read or written outside a
// surface, which the sanitizers watch; and the destination's neighbours in memory must stay untouched.
#include "fuzz/FuzzInput.h"
#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    dorvane::FuzzInput in{data, size};
    const auto anySize = [&in] {  // a small number, often, or any 32-bit value
        const auto kind = in.Take<std::uint8_t>();
        return kind < 200 ? std::int32_t(kind % 40) - 12 : in.Take<std::int32_t>();
    };
    dorvane::c32bppDIB source;
    const int width = 1 + in.Take<std::uint8_t>() % 24, height = 1 + in.Take<std::uint8_t>() % 24;
    source.InitializeDIB(width, height);
    for (std::uint8_t& byte : source.PixelBytes())
        byte = in.Take<std::uint8_t>();
    const auto switches = in.Take<std::uint8_t>();
    source.SetAlpha(switches & 1);
    source.SetHighQualityInterpolation(switches & 2);
    source.SetGdiToken(switches & 4 ? 1 : 0);
    source.SetIsAlphaBlendFriendly(!(switches & 8));
    source.SetIsGDIplusEnabled(!(switches & 16));
    source.SetKeepGDIplusActive(switches & 32);

    const int targetWidth = 1 + in.Take<std::uint8_t>() % 20, targetHeight = 1 + in.Take<std::uint8_t>() % 20;
    constexpr std::size_t kGuard = 64;
    std::vector<std::uint8_t> memory(std::size_t(targetWidth) * std::size_t(targetHeight) * 4 + 2 * kGuard, 0x5A);
    dorvane::PixelView target{memory.data() + kGuard, targetWidth, targetHeight, std::ptrdiff_t{targetWidth} * 4,
                              bool(switches & 64)}; // bottom up
    dorvane::DeviceContext dc(target);

    const std::int32_t destX = anySize(), destY = anySize(), destWidth = anySize(), destHeight = anySize();
    const std::int32_t srcX = anySize(), srcY = anySize(), srcWidth = anySize(), srcHeight = anySize();
    const std::int32_t opacity = in.Take<std::int32_t>();
    const float angle = in.Take<float>();
    const bool toHost = !(in.Take<std::uint8_t>() & 1); // a surface of the same size instead of the device context
    dorvane::c32bppDIB host;
    host.InitializeDIB(targetWidth, targetHeight);
    source.Render(toHost ? nullptr : &dc, destX, destY, destWidth, destHeight, srcX, srcY, srcWidth, srcHeight, opacity,
                  true, true, toHost ? &host : nullptr, angle, bool(switches & 128) /* about the centre */);
    for (std::size_t i = 0; i < kGuard; ++i)
        dorvane::Require(memory[i] == 0x5A && memory[memory.size() - 1 - i] == 0x5A);
    source.Resize(anySize() % 64, anySize() % 64);
    return 0;
}
