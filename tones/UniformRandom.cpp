#include "tones/UniformRandom.h"

namespace dorvane {

double UniformRandom::Next()
{
    // 53 random bits per number: the sequence is the same on every platform, unlike
    // std::uniform_real_distribution's.
    const double high = generator_() >> 5; // 27 bits
    const double low = generator_() >> 6;  // 26 bits
    return (high * 67108864.0 + low) / 9007199254740992.0;
}

void UniformRandom::Skip(std::uint64_t count) { generator_.discard(2 * count); }

UniformRandom& UniformRandom::Program()
{
    static UniformRandom program;
    return program;
}

} // namespace dorvane
