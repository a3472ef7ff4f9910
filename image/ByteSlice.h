#pragma once

#include <cstdint>
#include <span>

namespace dorvane {

// The bytes from start for length bytes of an array, as the loaders take their input: a start before
// the array begins at its first byte, a length of 0 (or less) runs to its end, and a length past the
// end stops there, so a wrong slice never reads outside the array.
inline std::span<const std::uint8_t> ByteSlice(std::span<const std::uint8_t> bytes, std::int64_t start,
                                               std::int64_t length)
{
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (start < 0)
        start = 0;
    if (start >= size)
        return {};
    if (length <= 0 || length > size - start)
        length = size - start;
    return bytes.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

} // namespace dorvane
