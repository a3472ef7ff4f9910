// Decoding the clock's pictures: a 130 x 130 RGBA dial (reloaded every second) and a 196 x 196 RGBA
// hand, into a premultiplied surface. The reference is libspng decoding the same bytes to RGBA and
// premultiplying them into the same layout, run in the same benchmark so that the reported ratio
// (ours / libspng) does not depend on the machine. A plain inflate of the image data is reported too,
// as the floor any decoder stands on.

#include "image/c32bppDIB.h"

#include <benchmark/benchmark.h>
#include <spng.h>
#include <zlib.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A dial-like picture: an anti-aliased disc with a radial shade, tick marks and a transparent
// outside; or a hand: a thin tapering bar on transparency.
Bytes DrawPicture(int size, bool hand)
{
    Bytes rgba(std::size_t(size) * size * 4, 0);
    const double centre = (size - 1) / 2.0, radius = size / 2.0 - 1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::uint8_t* p = &rgba[(std::size_t(y) * size + x) * 4];
            const double dx = x - centre, dy = y - centre, distance = std::hypot(dx, dy);
            double coverage;
            if (hand)
                coverage = std::abs(dx) < 3.0 - dy / size * 2 && dy < 8 && dy > -radius * 0.8 ? 1.0 : 0.0;
            else
                coverage = std::clamp(radius - distance + 0.5, 0.0, 1.0);
            const double angle = std::atan2(dy, dx) * 30 / M_PI;
            const bool tick = !hand && distance > radius * 0.85 && std::abs(angle - std::round(angle)) < 0.08;
            const double shade = 0.6 + 0.4 * (1 - distance / radius);
            p[0] = tick ? 20 : std::uint8_t(230 * shade);
            p[1] = tick ? 20 : std::uint8_t(220 * shade);
            p[2] = tick ? 30 : std::uint8_t(hand ? 40 : 200 * shade);
            p[3] = std::uint8_t(255 * coverage);
        }
    }
    return rgba;
}

// Encoded the way image editors do: adaptive filters, default compression.
Bytes EncodeWithSpng(const Bytes& rgba, int size)
{
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{};
    ihdr.width = ihdr.height = std::uint32_t(size);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    spng_set_ihdr(ctx, &ihdr);
    spng_encode_image(ctx, rgba.data(), rgba.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    std::size_t length = 0;
    int error = 0;
    auto* png = static_cast<std::uint8_t*>(spng_get_png_buffer(ctx, &length, &error));
    Bytes out(png, png + length);
    std::free(png);
    spng_ctx_free(ctx);
    return out;
}

const Bytes& Picture(int size)
{
    static const Bytes dial = EncodeWithSpng(DrawPicture(130, false), 130);
    static const Bytes hand = EncodeWithSpng(DrawPicture(196, true), 196);
    return size == 130 ? dial : hand;
}

void DecodeWithDorvane(const Bytes& png, dorvane::c32bppDIB& surface)
{
    if (!surface.LoadPicture_Stream(png))
        std::abort();
    benchmark::DoNotOptimize(surface.BitsPointer());
}

// libspng to straight RGBA, then premultiplied by truncation into bottom-up BGRA rows.
void DecodeWithSpng(const Bytes& png, Bytes& straight, Bytes& surface)
{
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, png.data(), png.size());
    spng_ihdr ihdr{};
    std::size_t size = 0;
    if (spng_get_ihdr(ctx, &ihdr) || spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size))
        std::abort();
    straight.resize(size);
    surface.resize(size);
    if (spng_decode_image(ctx, straight.data(), size, SPNG_FMT_RGBA8, 0))
        std::abort();
    spng_ctx_free(ctx);
    const std::size_t rowBytes = std::size_t(ihdr.width) * 4;
    for (std::uint32_t y = 0; y < ihdr.height; ++y) {
        const std::uint8_t* in = &straight[y * rowBytes];
        std::uint8_t* out = &surface[(ihdr.height - 1 - y) * rowBytes];
        for (std::uint32_t x = 0; x < ihdr.width; ++x, in += 4, out += 4) {
            const unsigned a = in[3];
            out[0] = std::uint8_t(in[2] * a / 255), out[1] = std::uint8_t(in[1] * a / 255);
            out[2] = std::uint8_t(in[0] * a / 255), out[3] = std::uint8_t(a);
        }
    }
    benchmark::DoNotOptimize(surface.data());
}

// The image data's zlib stream (the picture has one IDAT), inflated into a buffer of the image size.
void InflateOnly(const Bytes& png, Bytes& out, std::size_t inflatedSize)
{
    const std::uint8_t* idat = png.data() + 33;  // signature and IHDR
    const std::uint32_t length = std::uint32_t(idat[0]) << 24 | idat[1] << 16 | idat[2] << 8 | idat[3];
    out.resize(inflatedSize);
    uLongf size = uLongf(out.size());
    uncompress(out.data(), &size, idat + 8, length);
    benchmark::DoNotOptimize(out.data());
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Runs the three decoders in turn, each iteration, and reports their times and ratios.
void BM_DecodeAgainstLibspng(benchmark::State& state)
{
    const int size = int(state.range(0));
    const Bytes& png = Picture(size);
    dorvane::c32bppDIB surface;
    Bytes straight, premultiplied, inflated;
    double ours = 0, spng = 0, inflate = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        DecodeWithDorvane(png, surface);
        auto t1 = std::chrono::steady_clock::now();
        DecodeWithSpng(png, straight, premultiplied);
        auto t2 = std::chrono::steady_clock::now();
        InflateOnly(png, inflated, std::size_t(size) * (size * 4 + 1));
        auto t3 = std::chrono::steady_clock::now();
        ours += Seconds(t1 - t0), spng += Seconds(t2 - t1), inflate += Seconds(t3 - t2);
    }
    if (std::memcmp(surface.BitsPointer(), premultiplied.data(), premultiplied.size()) != 0)
        state.SkipWithError("the decoders disagree");
    const double n = double(state.iterations());
    state.counters["dorvane_us"] = ours / n * 1e6;
    state.counters["libspng_us"] = spng / n * 1e6;
    state.counters["inflate_us"] = inflate / n * 1e6;
    state.counters["ratio_vs_libspng"] = ours / spng;
    state.counters["ratio_vs_inflate"] = ours / inflate;
    state.counters["png_bytes"] = double(png.size());
}
BENCHMARK(BM_DecodeAgainstLibspng)->Arg(130)->Arg(196)->ArgName("size");

void BM_DorvaneDecode(benchmark::State& state)
{
    const Bytes& png = Picture(int(state.range(0)));
    dorvane::c32bppDIB surface;
    for (auto _ : state)
        DecodeWithDorvane(png, surface);
}
BENCHMARK(BM_DorvaneDecode)->Arg(130)->Arg(196)->ArgName("size");

void BM_LibspngDecodePremultiplied(benchmark::State& state)
{
    const Bytes& png = Picture(int(state.range(0)));
    Bytes straight, premultiplied;
    for (auto _ : state)
        DecodeWithSpng(png, straight, premultiplied);
}
BENCHMARK(BM_LibspngDecodePremultiplied)->Arg(130)->Arg(196)->ArgName("size");

} // namespace
