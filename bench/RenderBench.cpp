// Drawing the clock's hands: a 196 x 196 hand picture scaled onto a 130 x 130 dial and turned, at
// 80 % opacity, as the clock does every second, and a whole frame (the dial restored from its PNG
// bytes, then the hour, minute and second hands). The reference runs in the same process: pixman
// drawing the same hands with its separable-convolution filter (cubic reconstruction, box
// sampling), clipped to the rectangle each turned hand can cover, and libspng decoding the dial.
// The counters report ours / reference, so they do not depend on the machine.

#include "image/c32bppDIB.h"

#include <benchmark/benchmark.h>
#include <pixman.h>
#include <spng.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using dorvane::c32bppDIB;

Bytes ReadArt(const std::string& name)
{
    std::ifstream in(std::string(DORVANE_SOURCE_DIR) + "/resources/art/" + name, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        std::abort();
    return bytes;
}

// A surface loaded from PNG bytes, drawn in high quality or by nearest pixel, holding the program's
// imaging token as the clock's surfaces do.
struct Hand {
    explicit Hand(const std::string& name, bool highQuality)
    {
        if (!surface.LoadPicture_Stream(ReadArt(name)))
            std::abort();
        surface.SetHighQualityInterpolation(highQuality);
        surface.SetGdiToken(1);
    }
    c32bppDIB surface;
};

// The same picture for pixman: top-down premultiplied ARGB words (the same bytes on this machine).
struct PixmanPicture {
    explicit PixmanPicture(const c32bppDIB& surface) : width(surface.Width()), height(surface.Height())
    {
        words.resize(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y)
            std::memcpy(&words[std::size_t(y) * width], surface.Pixels().Row(y), std::size_t(width) * 4);
        image = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, words.data(), width * 4);
        // The box around the non-transparent pixels: what a caller knows of its hand picture.
        int left = width, right = -1, top = height, bottom = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (words[std::size_t(y) * width + x] != 0)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = y;
        content[0] = left, content[1] = top, content[2] = right + 1, content[3] = bottom + 1;
    }
    ~PixmanPicture() { pixman_image_unref(image); }
    int width, height;
    std::vector<std::uint32_t> words;
    pixman_image_t* image;
    int content[4];
};

// Draws picture onto dial (width x height, top-down ARGB) scaled to the dial, turned clockwise by
// angle about the centre, at opacity, OVER, clipped to where the turned content can land; in high
// quality with the separable convolution, else by nearest pixel.
void PixmanDrawHand(PixmanPicture& picture, pixman_image_t* dial, int width, int height, double angle, double opacity,
                    bool highQuality = true)
{
    const double sx = double(picture.width) / width, sy = double(picture.height) / height;
    const double radians = angle * M_PI / 180, c = std::cos(radians), s = std::sin(radians);
    // destination -> source: translate to the dial centre, turn back, scale, translate to the picture centre
    pixman_f_transform f;
    pixman_f_transform_init_translate(&f, -width / 2.0, -height / 2.0);
    pixman_f_transform_rotate(&f, nullptr, c, -s);
    pixman_f_transform_scale(&f, nullptr, sx, sy);
    pixman_f_transform_translate(&f, nullptr, picture.width / 2.0, picture.height / 2.0);
    pixman_transform t;
    pixman_transform_from_pixman_f_transform(&t, &f);
    pixman_image_set_transform(picture.image, &t);
    if (highQuality) {
        int n = 0;
        pixman_fixed_t* params = pixman_filter_create_separable_convolution(
            &n, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy), PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC,
            PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 4, 4);
        pixman_image_set_filter(picture.image, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
        free(params);
    } else {
        pixman_image_set_filter(picture.image, PIXMAN_FILTER_NEAREST, nullptr, 0);
    }
    // The content's corners, turned into the dial, and a filter's reach around them.
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (int corner = 0; corner < 4; ++corner) {
        const double px = picture.content[corner & 1 ? 2 : 0] - picture.width / 2.0;
        const double py = picture.content[corner & 2 ? 3 : 1] - picture.height / 2.0;
        const double x = px / sx, y = py / sy;
        const double dx = x * c - y * s + width / 2.0, dy = x * s + y * c + height / 2.0;
        left = std::min(left, dx), right = std::max(right, dx), top = std::min(top, dy), bottom = std::max(bottom, dy);
    }
    const int x0 = std::max(0, int(std::floor(left)) - 3), y0 = std::max(0, int(std::floor(top)) - 3);
    const int x1 = std::min(width, int(std::ceil(right)) + 3), y1 = std::min(height, int(std::ceil(bottom)) + 3);
    pixman_color_t alpha{0, 0, 0, std::uint16_t(opacity * 0xFFFF)};
    pixman_image_t* mask = pixman_image_create_solid_fill(&alpha);
    pixman_image_composite32(PIXMAN_OP_OVER, picture.image, mask, dial, x0, y0, 0, 0, x0, y0, x1 - x0, y1 - y0);
    pixman_image_unref(mask);
}

// libspng to straight RGBA, then premultiplied into top-down ARGB words.
void SpngDecodeDial(const Bytes& png, Bytes& straight, std::vector<std::uint32_t>& words)
{
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, png.data(), png.size());
    std::size_t size = 0;
    if (spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size))
        std::abort();
    straight.resize(size);
    if (spng_decode_image(ctx, straight.data(), size, SPNG_FMT_RGBA8, 0))
        std::abort();
    spng_ctx_free(ctx);
    words.resize(size / 4);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint8_t* p = &straight[i * 4];
        const unsigned a = p[3];
        words[i] = a << 24 | (p[0] * a / 255) << 16 | (p[1] * a / 255) << 8 | (p[2] * a / 255);
    }
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void Report(benchmark::State& state, double ours, double reference)
{
    const double n = double(state.iterations());
    state.counters["dorvane_us"] = ours / n * 1e6;
    state.counters["reference_us"] = reference / n * 1e6;
    state.counters["ratio"] = ours / reference;
}

// One hand, 196 -> 130, turned 37.3 degrees, opacity 80, onto a blank dial, in high quality and by
// nearest pixel; the reference is pixman with the matching filter.
void BM_HandAgainstPixman(benchmark::State& state)
{
    const bool highQuality = state.range(0) != 0;
    Hand hand("hands/minute.png", highQuality);
    PixmanPicture picture(hand.surface);
    c32bppDIB dial;
    dial.InitializeDIB(130, 130);
    std::vector<std::uint32_t> pixmanDial(130 * 130);
    pixman_image_t* target = pixman_image_create_bits(PIXMAN_a8r8g8b8, 130, 130, pixmanDial.data(), 130 * 4);
    double ours = 0, reference = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        hand.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, 37.3f, false);
        auto t1 = std::chrono::steady_clock::now();
        PixmanDrawHand(picture, target, 130, 130, 37.3, 0.8, highQuality);
        auto t2 = std::chrono::steady_clock::now();
        ours += Seconds(t1 - t0), reference += Seconds(t2 - t1);
        benchmark::DoNotOptimize(dial.BitsPointer());
        benchmark::DoNotOptimize(pixmanDial.data());
    }
    pixman_image_unref(target);
    Report(state, ours, reference);
}
BENCHMARK(BM_HandAgainstPixman)->Arg(1)->Arg(0)->ArgName("hq");

// A whole frame at 10:09:30: dial restored from its kept PNG bytes, then the three hands.
void BM_FrameAgainstPixmanAndLibspng(benchmark::State& state)
{
    const Bytes dialPng = ReadArt("dials/default.png");
    c32bppDIB dial;
    if (!dial.LoadPicture_Stream(dialPng, 0, 0, true))
        std::abort();
    Hand hour("hands/hour.png", true), minute("hands/minute.png", true), second("hands/second.png", true);
    PixmanPicture hourPicture(hour.surface), minutePicture(minute.surface), secondPicture(second.surface);
    Bytes straight;
    std::vector<std::uint32_t> pixmanDial;
    double ours = 0, reference = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        dial.LoadPicture_FromOrignalFormat();
        hour.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, 304.75f, false);
        minute.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, 54.0f, false);
        second.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 100, true, true, &dial, 180.0f, false);
        auto t1 = std::chrono::steady_clock::now();
        SpngDecodeDial(dialPng, straight, pixmanDial);
        pixman_image_t* target = pixman_image_create_bits(PIXMAN_a8r8g8b8, 130, 130, pixmanDial.data(), 130 * 4);
        PixmanDrawHand(hourPicture, target, 130, 130, 304.75, 0.8);
        PixmanDrawHand(minutePicture, target, 130, 130, 54.0, 0.8);
        PixmanDrawHand(secondPicture, target, 130, 130, 180.0, 1.0);
        pixman_image_unref(target);
        auto t2 = std::chrono::steady_clock::now();
        ours += Seconds(t1 - t0), reference += Seconds(t2 - t1);
        benchmark::DoNotOptimize(dial.BitsPointer());
        benchmark::DoNotOptimize(pixmanDial.data());
    }
    Report(state, ours, reference);
}
BENCHMARK(BM_FrameAgainstPixmanAndLibspng);

// The same frame decoding the dial every time (no remembered pixels), for comparison.
void BM_FrameDecodingTheDial(benchmark::State& state)
{
    const Bytes dialPng = ReadArt("dials/default.png");
    c32bppDIB dial;
    Hand hour("hands/hour.png", true), minute("hands/minute.png", true), second("hands/second.png", true);
    for (auto _ : state) {
        dial.LoadPicture_Stream(dialPng, 0, 0, true);
        hour.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, 304.75f, false);
        minute.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 80, true, true, &dial, 54.0f, false);
        second.surface.Render(nullptr, 0, 0, 130, 130, 0, 0, 0, 0, 100, true, true, &dial, 180.0f, false);
        benchmark::DoNotOptimize(dial.BitsPointer());
    }
}
BENCHMARK(BM_FrameDecodingTheDial)->Unit(benchmark::kMicrosecond);

} // namespace
