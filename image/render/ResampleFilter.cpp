#include "image/render/ResampleFilter.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace dorvane {
namespace {

// The Mitchell-Netravali cubic with B = C = 1/3 and its integral from 0, both for x >= 0; the
// cubic is even, its integral odd, and the whole integral is 1.
double Mitchell(double x)
{
    if (x < 1)
        return (7 * x * x * x - 12 * x * x + 16.0 / 3) / 6;
    if (x < 2)
        return (-7.0 / 3 * x * x * x + 12 * x * x - 20 * x + 32.0 / 3) / 6;
    return 0;
}

double MitchellIntegral(double x)
{
    if (x < 1)
        return (1.75 * x * x * x * x - 4 * x * x * x + 16.0 / 3 * x) / 6;
    if (x < 2)
        return 37.0 / 72 - 49.0 / 72 + (-7.0 / 12 * x * x * x * x + 4 * x * x * x - 10 * x * x + 32.0 / 3 * x) / 6;
    return 0.5;
}

double OddIntegral(double (*integral)(double), double x) { return x < 0 ? -integral(-x) : integral(x); }

double PixelSquare(double x) { return x < 0.5 ? 1 : 0; }
double PixelSquareIntegral(double x) { return std::min(x, 0.5); }

// Below this box width the box is a point and the reconstruction kernel is used as it is.
constexpr double kPointWidth = 1e-6;

} // namespace

std::shared_ptr<const ResampleFilter> ResampleFilter::For(Kind kind, double scale)
{
    // A handful of recent tables per thread: a clock draws all its hands at one scale.
    constexpr std::size_t kKept = 8;
    thread_local std::vector<std::shared_ptr<const ResampleFilter>> recent;
    for (std::size_t i = 0; i < recent.size(); ++i) {
        if (recent[i]->kind() == kind && recent[i]->scale() == scale) {
            std::rotate(recent.begin(), recent.begin() + std::ptrdiff_t(i), recent.begin() + std::ptrdiff_t(i) + 1);
            return recent.front();
        }
    }
    auto filter = std::make_shared<const ResampleFilter>(kind, scale);
    if (recent.size() == kKept)
        recent.pop_back();
    recent.insert(recent.begin(), filter);
    return filter;
}

ResampleFilter::ResampleFilter(Kind kind, double scale) : kind_(kind), scale_(scale)
{
    assert(std::isfinite(scale) && scale > 0);
    const double reach = kind == Kind::Cubic ? 2.0 : 0.5;
    radius_ = reach + scale / 2;
    const int whole = int(std::ceil(radius_));
    taps_ = 2 * whole;
    firstTap_ = 1 - whole;
    Tabulate();
}

double ResampleFilter::Kernel(double x) const
{
    const bool cubic = kind_ == Kind::Cubic;
    if (scale_ < kPointWidth)
        return cubic ? Mitchell(std::abs(x)) : PixelSquare(std::abs(x));
    // The reconstruction kernel averaged over a box of the scale's width: the difference of its
    // integral at the box's two ends.
    const auto integral = cubic ? MitchellIntegral : PixelSquareIntegral;
    return (OddIntegral(integral, x + scale_ / 2) - OddIntegral(integral, x - scale_ / 2)) / scale_;
}

void ResampleFilter::Tabulate()
{
    constexpr int kOne = 1 << kWeightBits;
    weights_.assign(std::size_t(kPhases) * std::size_t(taps_), 0);
    std::vector<double> exact(std::size_t(taps_), 0.0);
    for (int phase = 0; phase < kPhases; ++phase) {
        const double past = double(phase) / kPhases;  // sample point past the first pixel's centre
        double sum = 0;
        for (int tap = 0; tap < taps_; ++tap)
            sum += exact[std::size_t(tap)] = Kernel(firstTap_ + tap - past);
        std::int16_t* out = &weights_[std::size_t(phase) * std::size_t(taps_)];
        int total = 0, largest = 0;
        for (int tap = 0; tap < taps_; ++tap) {
            out[tap] = std::int16_t(std::lround(exact[std::size_t(tap)] / sum * kOne));
            total += out[tap];
            if (out[tap] > out[largest])
                largest = tap;
        }
        out[largest] = std::int16_t(out[largest] + kOne - total);
    }
    const auto inEveryLane = [](std::uint32_t value) { return Lanes{{value, value, value, value}}; };
    pairLanes_.clear(), weightLanes_.clear();
    for (std::size_t i = 0; i < weights_.size(); ++i) {
        const std::uint32_t weight = std::uint16_t(weights_[i]);
        weightLanes_.push_back(inEveryLane(weight));
        if (i % 2 == 1)
            pairLanes_.push_back(inEveryLane(std::uint16_t(weights_[i - 1]) | weight << 16));
    }
}

} // namespace dorvane
