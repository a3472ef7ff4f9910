#pragma once
// The fuzzer's bytes read in order as values; past the end every value is zero.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace dorvane {

struct FuzzInput {
    const std::uint8_t* data;
    std::size_t size;

    template <typename T>
    T Take()
    {
        T value{};
        const std::size_t n = std::min(sizeof(T), size);
        std::memcpy(&value, data, n);
        data += n, size -= n;
        return value;
    }
    // Up to the next NUL byte, which is consumed.
    std::string Text()
    {
        const std::string_view rest = Rest();
        const std::string text(rest.substr(0, rest.find('\0')));
        const std::size_t n = std::min(size, text.size() + 1);
        data += n, size -= n;
        return text;
    }
    std::string_view Rest() const { return {reinterpret_cast<const char*>(data), size}; }
};

// Fails the fuzz run unless holds; libFuzzer reports where.
inline void Require(bool holds) { holds ? void() : std::abort(); }

} // namespace dorvane
