#include "image/cGDIPlus.h"

#include "image/ImageFile.h"
#include "image/c32bppDIB.h"
#include "image/cBMPparser.h"
#include "image/cPNGparser.h"
#include "platform/FileStore.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string>
#include <zlib.h>

namespace dorvane {
namespace {

struct Starts {
    std::mutex mutex;
    std::set<std::uint32_t> live;
    std::uint32_t next = 1;
};

Starts& ServiceStarts()
{
    static Starts starts;
    return starts;
}

void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* type, std::span<const std::uint8_t> data)
{
    AppendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    AppendBigEndian32(out, static_cast<std::uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(data.size() + 4))));
}

// Straight colour from premultiplied, rounded up: the smallest value that premultiplying by
// truncation (as the decoder does) brings back to the stored byte.
std::uint8_t Unpremultiply(unsigned stored, unsigned alpha)
{
    if (alpha == 255 || alpha == 0)
        return static_cast<std::uint8_t>(stored);
    return static_cast<std::uint8_t>(std::min((stored * 255 + alpha - 1) / alpha, 255u));
}

// The surface's rows, top first, as filter-less RGBA scanlines.
std::vector<std::uint8_t> Scanlines(const c32bppDIB& surface)
{
    const PixelView pixels = surface.Pixels();
    std::vector<std::uint8_t> raw;
    raw.reserve((std::size_t(pixels.width) * 4 + 1) * std::size_t(pixels.height));
    for (std::int32_t y = 0; y < pixels.height; ++y) {
        raw.push_back(0);
        const std::uint8_t* pixel = pixels.Row(y);
        for (std::int32_t x = 0; x < pixels.width; ++x, pixel += 4) {
            const unsigned alpha = pixel[3];
            raw.insert(raw.end(), {Unpremultiply(pixel[2], alpha), Unpremultiply(pixel[1], alpha),
                                   Unpremultiply(pixel[0], alpha), pixel[3]});
        }
    }
    return raw;
}

bool EncodePng(const c32bppDIB& surface, std::vector<std::uint8_t>& png)
{
    const std::vector<std::uint8_t> raw = Scanlines(surface);
    std::vector<std::uint8_t> compressed(compressBound(static_cast<uLong>(raw.size())));
    uLongf compressedSize = static_cast<uLongf>(compressed.size());
    if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return false;
    compressed.resize(compressedSize);

    png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    AppendBigEndian32(header, static_cast<std::uint32_t>(surface.Width()));
    AppendBigEndian32(header, static_cast<std::uint32_t>(surface.Height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, standard filters, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", compressed);
    AppendChunk(png, "IEND", {});
    return true;
}

} // namespace

cGDIPlus::~cGDIPlus()
{
    if (OwnToken != 0)
        Shutdown(OwnToken);
}

std::uint32_t cGDIPlus::Startup()
{
    Starts& starts = ServiceStarts();
    std::lock_guard lock(starts.mutex);
    const std::uint32_t token = starts.next++;
    if (starts.next == 0)
        starts.next = 1;  // 0 means "no token"
    starts.live.insert(token);
    return token;
}

bool cGDIPlus::Shutdown(std::uint32_t token)
{
    Starts& starts = ServiceStarts();
    std::lock_guard lock(starts.mutex);
    return starts.live.erase(token) != 0;
}

bool cGDIPlus::IsStarted(std::uint32_t token)
{
    Starts& starts = ServiceStarts();
    std::lock_guard lock(starts.mutex);
    return token != 0 && starts.live.count(token) != 0;
}

bool cGDIPlus::isGDIplusOk(std::uint32_t& gdiToken, bool KeepToken)
{
    if (OwnToken != 0)
        return true;
    const std::uint32_t token = Startup();
    if (KeepToken)
        gdiToken = token;
    else
        Shutdown(token);
    return true;
}

// The owner's token when it is running, else a start of this object's own.
bool cGDIPlus::MakeSureRunning(std::uint32_t token)
{
    if (IsStarted(token) || IsStarted(OwnToken))
        return true;
    OwnToken = Startup();
    return OwnToken != 0;
}

bool cGDIPlus::StopGdiplus(std::uint32_t token)
{
    if (token == OwnToken)
        OwnToken = 0;
    return Shutdown(token);
}

bool cGDIPlus::LoadViaGdiplus(const std::filesystem::path& fileName, std::span<const std::uint8_t> bytes,
                              c32bppDIB& surface, std::uint32_t token)
{
    surface.DestroyDIB();
    if (!MakeSureRunning(token))
        return false;
    std::vector<std::uint8_t> fileBytes;
    if (!fileName.empty()) {
        auto file = ImageFile::Open(fileName);
        auto whole = file ? file.value().ReadAll() : Result<std::vector<std::uint8_t>>::Failure(file.error());
        if (!whole)
            return false;
        fileBytes = whole.take();
        bytes = fileBytes;
    }
    const auto length = static_cast<std::int64_t>(bytes.size());
    if (!cPNGparser().LoadStream(bytes, surface, 0, length))
        cBMPparser().LoadStream(bytes, surface, 0, length);
    if (!surface.Handle()) {
        surface.DestroyDIB();
        return false;
    }
    surface.SetImageType(c32bppDIB::kPng);
    return true;
}

bool cGDIPlus::SaveToPNG(const std::filesystem::path& FileName, std::vector<std::uint8_t>& outStream,
                         const c32bppDIB& cHost, std::uint32_t GlobalToken)
{
    if (!cHost.Handle() || !MakeSureRunning(GlobalToken))
        return false;
    std::vector<std::uint8_t> png;
    if (!EncodePng(cHost, png))
        return false;
    if (!FileName.empty())
        return FileStore::Replace(FileName, std::string(png.begin(), png.end())).ok();
    outStream = std::move(png);
    return true;
}

} // namespace dorvane
