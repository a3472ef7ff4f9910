// Synthesising the clock's tones: MakeSoundFile for the alarm ring tone (0.12 s, 5292 frames, two
// channels) in each wave shape. The reference is the plainest loop that makes the same tone: one
// sine per channel and frame rounded into a preallocated buffer, run in the same benchmark so that
// the reported ratio (ours / reference) does not depend on the machine.

#include "platform/NullMessagePump.h"
#include "platform/SoundOutput.h"
#include "tones/ToneGenerator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

constexpr int kFrames = 5292;
constexpr double kFrequency = 2000;
constexpr double kVolume = 16250;

class NoSound : public dorvane::SoundOutput {
public:
    void Beep(int, int) override {}
    void PlayWavSync(std::span<const uint8_t> wav) override { benchmark::DoNotOptimize(wav.data()); }
    void PlayWavAsync(std::span<const uint8_t>) override {}
    void QueueWav(std::span<const uint8_t>) override {}
};

void ReferenceSine(std::vector<int16_t>& frames)
{
    const double w = 2 * std::numbers::pi * kFrequency / dorvane::ToneGenerator::kSampleRate;
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < kFrames; ++i)
            frames[2 * i + channel] = static_cast<int16_t>(std::nearbyint(kVolume * std::sin(w * (i - 0.5))));
    benchmark::DoNotOptimize(frames.data());
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_MakeSoundFileAgainstPlainSine(benchmark::State& state)
{
    NoSound sound;
    dorvane::NullMessagePump pump;
    dorvane::ToneGenerator generator(sound, pump);
    std::vector<int16_t> frames(2 * kFrames);
    const auto waveType = static_cast<int32_t>(state.range(0));
    double ours = 0, reference = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!generator.MakeSoundFile(2000, kVolume, 2000, kVolume, 0.12f, waveType, false))
            std::abort();
        const auto t1 = std::chrono::steady_clock::now();
        ReferenceSine(frames);
        const auto t2 = std::chrono::steady_clock::now();
        ours += Seconds(t1 - t0), reference += Seconds(t2 - t1);
    }
    const double n = double(state.iterations());
    state.counters["dorvane_us"] = ours / n * 1e6;
    state.counters["reference_us"] = reference / n * 1e6;
    state.counters["ratio_vs_reference"] = ours / reference;
}
BENCHMARK(BM_MakeSoundFileAgainstPlainSine)->DenseRange(0, 5)->ArgName("wave");

} // namespace
