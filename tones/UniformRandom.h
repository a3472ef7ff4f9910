#pragma once

#include <cstdint>
#include <random>

namespace dorvane {

// The program's source of random numbers: uniform in [0, 1). The program's sequence is never
// seeded, so every run draws the same numbers (the noise of the tones sounds the same each time).
// A copy draws on from where the original stands, so one channel of a tone can draw its numbers
// ahead of the other's.
class UniformRandom {
public:
    double Next();
    // Draws count numbers and forgets them.
    void Skip(std::uint64_t count);

    // The program's one sequence.
    static UniformRandom& Program();

private:
    std::mt19937 generator_; // the Mersenne Twister's fixed default start
};

} // namespace dorvane
