#include "image/ImageLimits.h"

#include <limits>

namespace dorvane::ImageLimits {

std::optional<std::size_t> SurfaceBytes(std::int64_t width, std::int64_t height)
{
    constexpr std::int64_t kMaxBytes = std::numeric_limits<std::int32_t>::max();
    if (width <= 0 || height <= 0 || width > kMaxBytes || height > kMaxBytes)
        return std::nullopt;
    if (width * height > kMaxBytes / 4)
        return std::nullopt;
    return static_cast<std::size_t>(width * height * 4);
}

bool CanExpandTo(std::uint64_t inputBytes, std::uint64_t outputBytes, std::uint64_t maxExpansion)
{
    // A few bytes of stream framing (headers, the final block) produce nothing, hence the slack.
    constexpr std::uint64_t kSlack = 1024;
    if (inputBytes > std::numeric_limits<std::uint64_t>::max() / maxExpansion - kSlack)
        return true;
    return outputBytes <= inputBytes * maxExpansion + kSlack;
}

bool PicturePlausible(std::int64_t width, std::int64_t height, std::uint64_t inputBytes)
{
    const auto bytes = SurfaceBytes(width, height);
    if (!bytes)
        return false;
    return *bytes <= kAlwaysAllowedBytes || CanExpandTo(inputBytes, *bytes, kPictureMaxExpansion);
}

} // namespace dorvane::ImageLimits
