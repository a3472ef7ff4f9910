#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace dorvane {

// The weights with which the source pixels around a sample point make one destination pixel, for
// one axis. A filter is a reconstruction kernel (how the picture looks between its pixel centres)
// convolved with a box as wide as one destination pixel is in source pixels (the area that pixel
// covers), so that the filter widens when a picture is shrunk: every source pixel then contributes
// to some destination pixel and thin lines neither alias nor vanish.
//
// Weights are tabulated for kPhases sub-pixel positions of the sample point and quantised to
// kWeightBits, each phase summing to exactly 1 << kWeightBits, so that a flat area stays flat.
class ResampleFilter {
public:
    enum class Kind {
        Cubic,  // Mitchell-Netravali cubic reconstruction (B = C = 1/3): smooth, hardly any ringing
        Box,    // pixel squares: plain area averaging, as a halftone stretch does
    };

    static constexpr int kPhaseBits = 6;
    static constexpr int kPhases = 1 << kPhaseBits;
    static constexpr int kWeightBits = 14;

    // The filter of kind for a destination pixel that spans scale source pixels (> 1 when shrinking).
    // Tables are kept for the few scales recently asked for, so a clock drawing the same hands every
    // second builds them once.
    static std::shared_ptr<const ResampleFilter> For(Kind kind, double scale);

    ResampleFilter(Kind kind, double scale);

    Kind kind() const { return kind_; }
    double scale() const { return scale_; }

    // Number of source pixels read per axis.
    int Taps() const { return taps_; }

    // The Taps() weights of a phase (0 <= phase < kPhases), for the source pixels that Locate()
    // names, from its firstPixel on.
    const std::int16_t* Weights(int phase) const { return &weights_[std::size_t(phase) * std::size_t(taps_)]; }

    // The same weights laid out for 16-bit multiply-adds over four 32-bit lanes: two by two (Taps()
    // is always even), each pair packed as first | second << 16, as two interleaved pixels take
    // them; and one by one, packed as weight | 0 << 16, to scale four 16-bit sums.
    struct alignas(16) Lanes {
        std::uint32_t lane[4];
    };
    const Lanes* PairLanes(int phase) const { return &pairLanes_[std::size_t(phase) * std::size_t(taps_ / 2)]; }
    const Lanes* WeightLanes(int phase) const { return &weightLanes_[std::size_t(phase) * std::size_t(taps_)]; }

    // For a sample point in 16.16 fixed-point source pixels (pixel i spans [i, i + 1)), the first
    // source pixel the filter reads and the phase of its weights.
    struct Placement {
        std::int64_t firstPixel;
        int phase;
    };
    Placement Locate(std::int64_t position16) const
    {
        // Distance past the centre of the pixel at or before the point, rounded to the nearest phase.
        constexpr int shift = 16 - kPhaseBits;
        const std::int64_t fromCentre = position16 - (1 << 15) + (1 << (shift - 1));
        return {(fromCentre >> 16) + firstTap_, int((fromCentre >> shift) & (kPhases - 1))};
    }

    // The continuous kernel at distance x (in source pixels) from the sample point, before
    // normalisation and quantisation.
    double Kernel(double x) const;

    // How far from the sample point (in source pixels) the kernel reaches.
    double Radius() const { return radius_; }

private:
    void Tabulate();

    Kind kind_;
    double scale_;
    double radius_ = 0;
    int taps_ = 0;
    int firstTap_ = 0;
    std::vector<std::int16_t> weights_;
    std::vector<Lanes> pairLanes_, weightLanes_;
};

} // namespace dorvane
