#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace dorvane {

// The size rules every decoder applies before it allocates pixel memory, kept in one place so that
// no decoder can be talked into an absurd allocation by a few bytes of hostile header.
namespace ImageLimits {

// No surface, and no buffer of encoded rows, may hold more bytes than a signed 32-bit value counts.
inline constexpr std::uint64_t kMaxImageBytes = std::numeric_limits<std::int32_t>::max();

// Deflate turns one input byte into at most 1032 output bytes (a 258-byte match in two bits).
inline constexpr std::uint64_t kDeflateMaxExpansion = 1032;

// The pictures read through the picture loader (GIF's LZW, JPEG's end-of-block runs, BMP's RLE
// skips) can legitimately expand further than deflate; this ratio of pixel-memory bytes to input
// bytes still admits a flat single-colour picture while refusing a tiny file claiming a huge one.
inline constexpr std::uint64_t kPictureMaxExpansion = 16384;

// Every picture small enough to fit this many bytes of pixel memory passes the ratio test anyway.
inline constexpr std::uint64_t kAlwaysAllowedBytes = 4u << 20;

// The largest picture any decoder makes: 2^25 pixels, 128 MiB of pixel memory. The clock shows a
// picture in a window on one screen, so nothing larger than a screen can ever be seen whole; the
// largest screens (8K, 7680 x 4320 = 33,177,600 pixels) just fit. A decoded picture and one copy of
// it (a command writing it out) then stay well under half a gigabyte.
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{4} << 25;

// width x height x bytesPerPixel, or nothing when a side is not positive, the product overflows or
// it exceeds maxBytes. With bytesPerPixel 1 and a row stride for width it measures stored rows.
std::optional<std::uint64_t> ImageBytes(std::int64_t width, std::int64_t height, std::uint64_t bytesPerPixel,
                                        std::uint64_t maxBytes = kMaxImageBytes);

// Bytes of one row of width pixels of bitsPerPixel bits, in whole bytes padded to a multiple of
// alignment; nothing when width is not positive, alignment is 0 or the row exceeds maxBytes.
std::optional<std::uint64_t> RowStride(std::int64_t width, std::uint64_t bitsPerPixel, std::uint64_t alignment,
                                       std::uint64_t maxBytes = kMaxImageBytes);

// Whether outputBytes of decoded data can come from inputBytes of encoded data that expands at most
// maxExpansion times.
bool CanExpandTo(std::uint64_t inputBytes, std::uint64_t outputBytes, std::uint64_t maxExpansion);

// Whether a picture of width x height (32-bit pixels) may be made from pixelDataBytes of encoded
// pixels (only the pixel data: headers, palettes and comments do not count) of a format that
// expands at most kPictureMaxExpansion times. Its surface must have pixels, stay within
// kMaxPictureBytes and be plausible from that data; if not, the one-line reason says which.
Status PictureAllowed(std::int64_t width, std::int64_t height, std::uint64_t pixelDataBytes);

} // namespace ImageLimits
} // namespace dorvane
