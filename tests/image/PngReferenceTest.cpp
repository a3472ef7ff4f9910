#include "image/c32bppDIB.h"
#include "image/cPNGparser.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PngBuilder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <random>

namespace dorvane {
namespace {

using testing::Bgra;
using testing::Bytes;
using testing::PngImage;

struct MemoryReader {
    const Bytes* bytes;
    std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->position + count > reader->bytes->size())
        png_error(png, "read past the end");
    std::memcpy(out, reader->bytes->data() + reader->position, count);
    reader->position += count;
}

// libpng's reading of the same bytes, as straight 8-bit RGBA rows.
bool DecodeWithLibpng(const Bytes& data, std::vector<std::uint8_t>& rgba, std::vector<png_bytep>& rows)
{
    MemoryReader reader{&data, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    rgba.assign(std::size_t(width) * height * 4, 0);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = rgba.data() + std::size_t(y) * width * 4;
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// A random image of a random valid format. 16-bit samples repeat their high byte in the low byte,
// so that comparing high bytes (as Dorvane's tRNS test does) and whole values (as libpng does)
// agree.
PngImage RandomImage(std::mt19937& random)
{
    static const std::pair<int, int> kFormats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16},
                                                   {3, 1}, {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8},
                                                   {6, 16}};
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto [colorType, depth] = kFormats[pick(0, 14)];
    PngImage image;
    image.width = std::uint32_t(pick(1, 40)), image.height = std::uint32_t(pick(1, 40));
    image.colorType = std::uint8_t(colorType), image.bitDepth = std::uint8_t(depth);
    image.interlaced = pick(0, 1) == 1;
    const int paletteSize = colorType == 3 ? pick(1, 1 << depth) : 0;
    const int top = colorType == 3 ? paletteSize - 1 : (depth == 16 ? 255 : (1 << depth) - 1);
    for (std::size_t i = 0; i < std::size_t(image.width) * image.height * testing::Channels(image.colorType); ++i) {
        const int value = pick(0, top);
        image.samples.push_back(std::uint16_t(depth == 16 ? value * 257 : value));
    }
    for (int i = 0; i < paletteSize * 3; ++i)
        image.palette.push_back(std::uint8_t(pick(0, 255)));
    if (pick(0, 1) && colorType == 3) {
        for (int i = pick(1, paletteSize); i > 0; --i)
            image.trns.push_back(std::uint8_t(pick(0, 255)));
    } else if (pick(0, 1) && (colorType == 0 || colorType == 2)) {
        // The colour of a pixel of the image, so that some pixels turn transparent.
        const std::size_t pixel = std::size_t(pick(0, int(image.width * image.height) - 1)) * testing::Channels(image.colorType);
        for (int c = 0; c < testing::Channels(image.colorType); ++c) {
            image.trns.push_back(std::uint8_t(image.samples[pixel + c] >> 8));
            image.trns.push_back(std::uint8_t(image.samples[pixel + c]));
        }
    }
    return image;
}

TEST(PngDecoder, AgreesWithLibpngOnARandomCorpus)
{
    std::mt19937 random(20240611);
    for (int n = 0; n < 600; ++n) {
        const PngImage image = RandomImage(random);
        testing::PngOptions options;
        options.filterFor = [&random](std::size_t) { return std::uint8_t(random() % 5); };
        options.idatPieces = 1 + random() % 3;
        const Bytes png = testing::EncodePng(image, options);

        std::vector<std::uint8_t> reference;
        std::vector<png_bytep> rows;
        ASSERT_TRUE(DecodeWithLibpng(png, reference, rows)) << n;
        c32bppDIB surface;
        ASSERT_TRUE(cPNGparser().LoadStream(png, surface, 0, std::int64_t(png.size())));
        ASSERT_NE(surface.Handle(), nullptr) << n;
        ASSERT_EQ(std::uint32_t(surface.Width()), image.width);
        ASSERT_EQ(std::uint32_t(surface.Height()), image.height);
        for (std::uint32_t y = 0; y < image.height; ++y) {
            for (std::uint32_t x = 0; x < image.width; ++x) {
                const std::uint8_t* p = &reference[(std::size_t(y) * image.width + x) * 4];
                ASSERT_EQ(testing::StoredPixel(surface, int(x), int(y)), testing::Premultiplied(p[0], p[1], p[2], p[3]))
                    << "image " << n << " type " << int(image.colorType) << " depth " << int(image.bitDepth)
                    << " interlaced " << image.interlaced << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace dorvane
