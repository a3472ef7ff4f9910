#pragma once

namespace dorvane {

// The program's one source of random numbers: uniform in [0, 1). It is never seeded, so every run
// of the program draws the same sequence (the noise of the tones sounds the same each time).
double UniformRandom();

} // namespace dorvane
