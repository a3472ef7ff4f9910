#include "tones/UniformRandom.h"

#include <random>

namespace dorvane {

double UniformRandom()
{
    // The Mersenne Twister's fixed default start, and 53 random bits per number: the sequence is
    // the same on every platform, unlike std::uniform_real_distribution's.
    static std::mt19937 generator;
    const double high = generator() >> 5; // 27 bits
    const double low = generator() >> 6;  // 26 bits
    return (high * 67108864.0 + low) / 9007199254740992.0;
}

} // namespace dorvane
