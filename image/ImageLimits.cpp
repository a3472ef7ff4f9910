#include "image/ImageLimits.h"

#include <string>

namespace dorvane::ImageLimits {
namespace {

// a x b, or nothing when it overflows or exceeds maxBytes.
std::optional<std::uint64_t> CheckedProduct(std::uint64_t a, std::uint64_t b, std::uint64_t maxBytes)
{
    if (a != 0 && b > maxBytes / a)
        return std::nullopt;
    return a * b;
}

} // namespace

std::optional<std::uint64_t> ImageBytes(std::int64_t width, std::int64_t height, std::uint64_t bytesPerPixel,
                                        std::uint64_t maxBytes)
{
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const auto pixels = CheckedProduct(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height),
                                       std::numeric_limits<std::uint64_t>::max());
    if (!pixels)
        return std::nullopt;
    return CheckedProduct(*pixels, bytesPerPixel, maxBytes);
}

std::optional<std::uint64_t> RowStride(std::int64_t width, std::uint64_t bitsPerPixel, std::uint64_t alignment,
                                       std::uint64_t maxBytes)
{
    if (width <= 0 || alignment == 0)
        return std::nullopt;
    const auto bits = CheckedProduct(static_cast<std::uint64_t>(width), bitsPerPixel,
                                     std::numeric_limits<std::uint64_t>::max() - 7);
    if (!bits)
        return std::nullopt;
    const std::uint64_t bytes = (*bits + 7) / 8;
    const std::uint64_t padded = bytes / alignment * alignment + (bytes % alignment ? alignment : 0);
    if (padded < bytes || padded > maxBytes)
        return std::nullopt;
    return padded;
}

bool CanExpandTo(std::uint64_t inputBytes, std::uint64_t outputBytes, std::uint64_t maxExpansion)
{
    // A few bytes of stream framing (headers, the final block) produce nothing, hence the slack.
    constexpr std::uint64_t kSlack = 1024;
    if (inputBytes > std::numeric_limits<std::uint64_t>::max() / maxExpansion - kSlack)
        return true;
    return outputBytes <= inputBytes * maxExpansion + kSlack;
}

Status PictureAllowed(std::int64_t width, std::int64_t height, std::uint64_t pixelDataBytes)
{
    const std::string size = "size " + std::to_string(width) + "x" + std::to_string(height);
    if (width <= 0 || height <= 0)
        return Status::Failure(size + " has no pixels");
    const auto bytes = ImageBytes(width, height, 4, kMaxPictureBytes);
    if (!bytes)
        return Status::Failure(size + " is larger than the largest picture (" +
                               std::to_string(kMaxPictureBytes / 4) + " pixels)");
    if (*bytes > kAlwaysAllowedBytes && !CanExpandTo(pixelDataBytes, *bytes, kPictureMaxExpansion))
        return Status::Failure(size + " cannot come from " + std::to_string(pixelDataBytes) + " bytes of pixel data");
    return Status::Ok();
}

} // namespace dorvane::ImageLimits
