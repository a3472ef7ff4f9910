#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace dorvane {

// The size rules every decoder applies before it allocates pixel memory, kept in one place so that
// no decoder can be talked into an absurd allocation by a few bytes of hostile header.
namespace ImageLimits {

// Deflate turns one input byte into at most 1032 output bytes (a 258-byte match in two bits).
inline constexpr std::uint64_t kDeflateMaxExpansion = 1032;

// The pictures read through the picture loader (GIF's LZW, JPEG's end-of-block runs, BMP's RLE
// skips) can legitimately expand further than deflate; this ratio of pixel-memory bytes to input
// bytes still admits a flat single-colour picture while refusing a tiny file claiming a huge one.
inline constexpr std::uint64_t kPictureMaxExpansion = 16384;

// Every picture small enough to fit this many bytes of pixel memory passes the ratio test anyway.
inline constexpr std::uint64_t kAlwaysAllowedBytes = 4u << 20;

// Bytes of a width x height surface of 32-bit pixels, or nothing when a side is not positive or the
// byte count does not fit a signed 32-bit value.
std::optional<std::size_t> SurfaceBytes(std::int64_t width, std::int64_t height);

// Whether outputBytes of decoded data can come from inputBytes of encoded data that expands at most
// maxExpansion times.
bool CanExpandTo(std::uint64_t inputBytes, std::uint64_t outputBytes, std::uint64_t maxExpansion);

// Whether a picture of width x height (32-bit pixels) may be made from inputBytes of a format that
// expands at most kPictureMaxExpansion times: its surface must be possible and plausible.
bool PicturePlausible(std::int64_t width, std::int64_t height, std::uint64_t inputBytes);

} // namespace ImageLimits
} // namespace dorvane
