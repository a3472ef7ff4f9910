#include "image/png/PngFilters.h"

namespace dorvane::PngFilters {
namespace {

void UndoSub(std::uint8_t* row, std::size_t length, std::size_t bpp)
{
    for (std::size_t i = bpp; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
}

void UndoUp(std::uint8_t* row, const std::uint8_t* previous, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
}

void UndoAverage(std::uint8_t* row, const std::uint8_t* previous, std::size_t length, std::size_t bpp)
{
    std::size_t i = 0;
    for (; i < bpp && i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + previous[i] / 2);
    for (; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + (row[i - bpp] + previous[i]) / 2);
}

void UndoPaeth(std::uint8_t* row, const std::uint8_t* previous, std::size_t length, std::size_t bpp)
{
    std::size_t i = 0;
    // On the first pixel left and upper-left are zero, so the predictor is the byte above.
    for (; i < bpp && i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
    for (; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + PaethPredictor(row[i - bpp], previous[i], previous[i - bpp]));
}

} // namespace

void Unfilter(std::uint8_t filterType, std::uint8_t* row, const std::uint8_t* previous, std::size_t length,
              std::size_t bytesPerPixel)
{
    switch (filterType) {
    case kSub:
        UndoSub(row, length, bytesPerPixel);
        break;
    case kUp:
        UndoUp(row, previous, length);
        break;
    case kAverage:
        UndoAverage(row, previous, length, bytesPerPixel);
        break;
    case kPaeth:
        UndoPaeth(row, previous, length, bytesPerPixel);
        break;
    default:
        break;  // kNone, and unknown types, which are used as they are
    }
}

} // namespace dorvane::PngFilters
