// Synthesises the clock's recorded chime: one stroke of a bell tuned to E, written as a WAV file
// (mono, 8000 samples per second, 16 bits). A bell's sound is a sum of inharmonic partials, each
// dying away at its own rate (the high ones fast, the hum slowly), struck by a short thud of noise;
// every partial is a pair of slightly detuned modes, which gives the slow shimmer of a real bell.
//
// The result is committed as resources/data/SOUNDS/101.wav, the resource ("SOUNDS", 101); to change
// the chime, edit this file and run
//     ninja -C build dorvane_make_chime && build/resources/dorvane_make_chime resources/data/SOUNDS/101.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 8000;
constexpr double kSeconds = 2.8;
constexpr double kPrimeHz = 329.63; // E4; the strike note is heard an octave up, at the nominal
constexpr double kPi = 3.14159265358979323846;

struct Partial {
    double ratio;     // to the prime
    double amplitude;
    double decay;     // seconds to fall to 1/e
    double beatHz;    // spacing of the two modes
};

// The partials of a tuned church bell: hum, prime, minor-third tierce, quint, nominal and the upper
// partials.
constexpr Partial kPartials[] = {
    {0.5, 0.30, 1.40, 0.35},  {1.0, 0.42, 1.10, 0.50},  {1.2, 0.36, 0.85, 0.70},
    {1.5, 0.16, 0.60, 0.90},  {2.0, 0.55, 0.75, 0.60},  {2.5, 0.18, 0.40, 1.10},
    {2.67, 0.14, 0.36, 1.30}, {3.0, 0.12, 0.30, 1.50},  {4.0, 0.08, 0.22, 1.70},
    {5.33, 0.05, 0.16, 2.00}, {6.0, 0.04, 0.12, 2.30},
};

double BellAt(double t)
{
    double value = 0;
    for (const Partial& p : kPartials) {
        const double f = kPrimeHz * p.ratio;
        const double modes =
            std::sin(2 * kPi * (f - p.beatHz / 2) * t) + 0.3 * std::sin(2 * kPi * (f + p.beatHz / 2) * t + 1.0);
        value += p.amplitude * std::exp(-t / p.decay) * modes / 1.3;
    }
    return value;
}

// The clapper's thud: a few milliseconds of softened noise from a fixed generator.
std::vector<double> StrikeNoise(int samples)
{
    std::vector<double> noise(samples);
    uint32_t state = 0x2545F491;
    double smoothed = 0;
    for (int i = 0; i < samples; ++i) {
        state = state * 1664525u + 1013904223u;
        const double white = (state >> 8) / double(1 << 24) * 2 - 1;
        smoothed += 0.35 * (white - smoothed);
        noise[i] = 0.5 * smoothed * std::exp(-i / (0.006 * kRate));
    }
    return noise;
}

std::vector<int16_t> Synthesise()
{
    const int count = static_cast<int>(kSeconds * kRate);
    const std::vector<double> strike = StrikeNoise(kRate / 20);
    std::vector<double> wave(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        const double attack = std::min(1.0, t / 0.002);
        const double fadeOut = std::min(1.0, (kSeconds - t) / 0.25);
        wave[i] = (BellAt(t) * attack + (i < int(strike.size()) ? strike[i] : 0)) * fadeOut;
    }
    double peak = 0;
    for (double v : wave)
        peak = std::max(peak, std::fabs(v));
    std::vector<int16_t> samples(count);
    for (int i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(std::lrint(wave[i] / peak * 0.85 * 32767));
    return samples;
}

void Put(std::FILE* out, uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        std::fputc(static_cast<int>((value >> (8 * k)) & 0xFF), out);
}

bool WriteWav(const char* path, const std::vector<int16_t>& samples)
{
    std::FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::fputs("RIFF", out);
    Put(out, dataSize + 36, 4);
    std::fputs("WAVEfmt ", out);
    Put(out, 16, 4);
    Put(out, 1, 2);        // PCM
    Put(out, 1, 2);        // mono
    Put(out, kRate, 4);
    Put(out, kRate * 2, 4);
    Put(out, 2, 2);        // block align
    Put(out, 16, 2);       // bits per sample
    std::fputs("data", out);
    Put(out, dataSize, 4);
    for (int16_t sample : samples)
        Put(out, static_cast<uint16_t>(sample), 2);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: dorvane_make_chime OUT.wav\n", stderr);
        return 2;
    }
    if (!WriteWav(argv[1], Synthesise())) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
