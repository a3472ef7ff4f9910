// The clock's face each second on a scaled screen against the same face at scale 1: the bare dial
// restored, the three hands and the border ring drawn at the device's resolution from the pictures
// made at twice the size. A screen scaled by 2 has four times the pixels; the counter reports
// scaled / scale 1 for the drawing alone. (The dial is laid out once instead of decoded every
// second, and the minute and second hands' turned pictures are kept, so only the hour hand is
// resampled each second. What the whole running clock costs at a scale, X server included, is
// measured by SCALE=F scripts/measure-clock.)

#include "clock/face/ClockSnapshot.h"
#include "clock/state/ClockState.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using dorvane::ClockSnapshot;
using dorvane::LocalTime;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_ScaledFaceAgainstScaleOne(benchmark::State& state)
{
    dorvane::ClockState settings;
    settings.ShowSeconds = 1, settings.ShowBorder = 1;
    ClockSnapshot one(settings), scaled(settings, state.range(0) / 100.0);
    one.LoadSkin(), scaled.LoadSkin();
    LocalTime moment{{2026, 12, 7}, 10, 9, 0, 0};
    double atOne = 0, atScale = 0;
    for (auto _ : state) {
        moment.second = (moment.second + 1) % 60;
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(one.Draw(moment).BitsPointer());
        const auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(scaled.Draw(moment).BitsPointer());
        const auto t2 = std::chrono::steady_clock::now();
        atOne += Seconds(t1 - t0), atScale += Seconds(t2 - t1);
    }
    state.counters["ratio"] = atScale / atOne;
}
BENCHMARK(BM_ScaledFaceAgainstScaleOne)->Arg(125)->Arg(150)->Arg(200)->ArgName("percent");

} // namespace
