#include "image/c32bppDIB.h"

#include "image/ByteSlice.h"
#include "image/ImageLimits.h"
#include "image/cGDIPlus.h"
#include "image/formats/cBMPparser.h"
#include "image/png/cPNGparser.h"
#include "platform/ReadOnlyFile.h"
#include "resources/EmbeddedResources.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iostream>
#include <new>

namespace dorvane {

c32bppDIB::c32bppDIB()
{
    // Our blend takes premultiplied alpha and our scaler filters while stretching.
    capabilityFlags_ = kBlendHandlesAlpha | kFiltersWhileStretching;
    SetIsGDIplusEnabled(true);
    highQualityInterpolation_ = isGDIplusEnabled();
}

c32bppDIB::~c32bppDIB()
{
    DestroyDIB();
}

void c32bppDIB::SetManageOwnDC(bool value)
{
    if (!value && ownDC_)
        ReleaseOwnDC();
    else if (value && !ownDC_ && bits_)
        ownDC_ = std::make_unique<DeviceContext>();
    manageOwnDC_ = value;
}

void c32bppDIB::SetIsAlphaBlendFriendly(bool value)
{
    // Elsewhere the blend may only be trusted on some systems; ours handles premultiplied alpha
    // everywhere, so the bit can always be set again.
    if (value)
        capabilityFlags_ |= kBlendHandlesAlpha;
    else
        capabilityFlags_ &= ~kBlendHandlesAlpha;
}

void c32bppDIB::SetIsGDIplusEnabled(bool value)
{
    if (value == isGDIplusEnabled())
        return;
    capabilityFlags_ &= ~kImagingServices;
    if (!value)
        return;
    std::unique_ptr<cGDIPlus> temporary;
    std::uint32_t probeToken = 0;
    if (Bridge(temporary).isGDIplusOk(probeToken, false))
        capabilityFlags_ |= kImagingServices;
}

void c32bppDIB::SetKeepGDIplusActive(bool value)
{
    keepGDIplusActive_ = value && isGDIplusEnabled();
    if (!keepGDIplusActive_)
        gdiBridge_.reset();
}

bool c32bppDIB::isZlibEnabled() const
{
    return cPNGparser::ZlibFound != 0;
}

PixelView c32bppDIB::Pixels() const
{
    if (!bits_)
        return {};
    return {bits_, width_, height_, std::ptrdiff_t{width_} * 4, true};
}

std::span<std::uint8_t> c32bppDIB::PixelBytes() const
{
    if (!bits_)
        return {};
    return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4};
}

void c32bppDIB::PixelsChanged()
{
    static std::atomic<std::uint64_t> versions{0};
    pixelsVersion_ = ++versions;
}

const PictureCoverage* c32bppDIB::Coverage() const
{
    if (!remembersCoverage_ || !bits_)
        return nullptr;
    if (!coverage_ || coverageVersion_ != pixelsVersion_) {
        coverage_ = std::make_unique<PictureCoverage>(PictureCoverage::Of(Pixels()));
        coverageVersion_ = pixelsVersion_;
    }
    return coverage_.get();
}

bool c32bppDIB::InitializeDIB(std::int32_t Width, std::int32_t Height)
{
    DestroyDIB();
    if (Width < 0 || Height == 0)
        return false;
    const std::int64_t rows = Height < 0 ? -std::int64_t{Height} : Height;
    const auto bytes = ImageLimits::ImageBytes(Width, rows, 4);
    if (!bytes)
        return false;
    std::vector<std::uint8_t> memory;
    try {
        memory.resize(static_cast<std::size_t>(*bytes));
    } catch (const std::bad_alloc&) {
        return false;
    }
    TakeMemory(std::move(memory), Width, static_cast<std::int32_t>(rows));
    EraseDIB();
    return true;
}

bool c32bppDIB::AdoptTopDownPixels(std::vector<std::uint8_t>&& pixels, std::int32_t width, std::int32_t height)
{
    DestroyDIB();
    const auto bytes = ImageLimits::ImageBytes(width, height, 4);
    if (!bytes || pixels.size() != *bytes)
        return false;
    const std::size_t rowBytes = std::size_t(width) * 4;
    for (std::size_t top = 0, bottom = std::size_t(height) - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + std::ptrdiff_t(top * rowBytes), pixels.begin() + std::ptrdiff_t((top + 1) * rowBytes),
                         pixels.begin() + std::ptrdiff_t(bottom * rowBytes));
    TakeMemory(std::move(pixels), width, height);
    alpha_ = true;
    imageType_ = kBlank;
    PixelsChanged();
    return true;
}

void c32bppDIB::TakeMemory(std::vector<std::uint8_t>&& memory, std::int32_t width, std::int32_t height)
{
    memory_ = std::move(memory);
    bits_ = memory_.data();
    if (manageOwnDC_ && !ownDC_)
        ownDC_ = std::make_unique<DeviceContext>();
    width_ = width;
    height_ = height;
}

void c32bppDIB::EraseDIB()
{
    if (!bits_)
        return;
    std::memset(bits_, 0, PixelBytes().size());
    alpha_ = true;
    imageType_ = kBlank;
    PixelsChanged();
}

void c32bppDIB::DestroyDIB()
{
    gdiBridge_.reset();
    decoded_.reset();
    if (ownDC_) {
        if (OwnBitmapSelected())
            ownDC_->SelectObject(prevBitmap_);
        ownDC_.reset();
    }
    if (bits_) {
        std::vector<std::uint8_t>().swap(memory_);
        bits_ = nullptr;
        sourceBytes_.clear();
    }
    imageType_ = kNoImage;
    width_ = height_ = 0;
    prevBitmap_ = {};
    alpha_ = false;
    PixelsChanged();
}

bool c32bppDIB::OwnBitmapSelected() const
{
    return ownDC_ && bits_ && ownDC_->Target().bits == bits_;
}

void c32bppDIB::ReleaseOwnDC()
{
    if (OwnBitmapSelected())
        ownDC_->SelectObject(prevBitmap_);
    prevBitmap_ = {};
    ownDC_.reset();
}

DeviceContext* c32bppDIB::LoadDIBinDC(bool bLoad)
{
    // Whoever borrows the pixels draws on them, and stops when handing them back.
    PixelsChanged();
    if (bLoad) {
        if (!bits_)
            return nullptr;
        if (!ownDC_)
            ownDC_ = std::make_unique<DeviceContext>();
        if (!OwnBitmapSelected())
            prevBitmap_ = ownDC_->SelectObject(Pixels());
        return ownDC_.get();
    }
    if (OwnBitmapSelected()) {
        ownDC_->SelectObject(prevBitmap_);
        if (!manageOwnDC_)
            ownDC_.reset();
        prevBitmap_ = {};
    }
    return nullptr;
}

std::int32_t c32bppDIB::GetPixel(std::int32_t x, std::int32_t y, std::int32_t& AlphaValue,
                                 bool asPreMultiplied) const
{
    AlphaValue = 0;
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return -1;
    const std::uint8_t* pixel = Pixels().Pixel(x, y);
    const unsigned alpha = pixel[3];
    AlphaValue = static_cast<std::int32_t>(alpha);
    unsigned channel[3] = {pixel[0], pixel[1], pixel[2]};
    if (!asPreMultiplied && alpha != 0 && alpha != 255) {
        // A caller may have written colour above alpha straight into the memory; keep each
        // channel a byte all the same.
        for (unsigned& value : channel)
            value = std::min(value * 255 / alpha, 255u);
    }
    return static_cast<std::int32_t>(channel[0] << 16 | channel[1] << 8 | channel[2]);
}

bool c32bppDIB::GetOrginalFormat(std::vector<std::uint8_t>& outStream) const
{
    outStream = sourceBytes_;
    return !sourceBytes_.empty();
}

cGDIPlus& c32bppDIB::Bridge(std::unique_ptr<cGDIPlus>& temporary)
{
    if (gdiBridge_)
        return *gdiBridge_;
    if (keepGDIplusActive_) {
        gdiBridge_ = std::make_unique<cGDIPlus>();
        return *gdiBridge_;
    }
    temporary = std::make_unique<cGDIPlus>();
    return *temporary;
}

std::uint32_t c32bppDIB::CreateGDIplusToken()
{
    std::unique_ptr<cGDIPlus> temporary;
    std::uint32_t token = 0;
    Bridge(temporary).isGDIplusOk(token, true);
    return token;
}

bool c32bppDIB::DestroyGDIplusToken(std::uint32_t Token)
{
    if (Token == 0)
        return false;
    std::unique_ptr<cGDIPlus> temporary;
    return Bridge(temporary).StopGdiplus(Token);
}

// Tells why a load is refused before it reaches a decoder (the surface stays as it was).
bool c32bppDIB::Refuse(std::string reason)
{
    lastLoadError_ = std::move(reason);
    return false;
}

bool c32bppDIB::LoadPicture_File(const std::filesystem::path& FileName, bool SaveFormat)
{
    auto file = ReadOnlyFile::Open(FileName);
    if (!file)
        return Refuse(file.error());
    if (file.value().Size() < kMinimumSourceBytes)
        return Refuse("the file is too short to be a picture");
    return LoadFromSource(&file.value(), {}, SaveFormat);
}

bool c32bppDIB::LoadPicture_Stream(std::span<const std::uint8_t> inStream, std::int64_t streamStart,
                                   std::int64_t streamLength, bool SaveFormat)
{
    const auto slice = ByteSlice(inStream, streamStart, streamLength);
    if (slice.size() < kMinimumSourceBytes)
        return Refuse("the data are too short to be a picture");
    return LoadFromSource(nullptr, slice, SaveFormat);
}

bool c32bppDIB::LoadPicture_Resource(const ResourceId& ResIndex, const ResourceId& ResSection,
                                     const EmbeddedResources* HostObject, std::int64_t streamStart,
                                     std::int64_t streamLength, bool SaveFormat)
{
    const auto* section = std::get_if<std::string>(&ResSection);
    if (!section)
        return Refuse("a resource section has a name, not a number");
    const std::string name = std::holds_alternative<std::string>(ResIndex)
                                 ? std::get<std::string>(ResIndex)
                                 : std::to_string(std::get<std::int32_t>(ResIndex));
    const EmbeddedResources& resources = HostObject ? *HostObject : EmbeddedResources::Program();
    const auto bytes = resources.Find(*section, name);
    if (!bytes)
        return Refuse("there is no resource " + *section + "/" + name);
    return LoadPicture_Stream(*bytes, streamStart, streamLength, SaveFormat);
}

bool c32bppDIB::LoadPicture_FromOrignalFormat()
{
    if (RestoreFromDecoded()) {
        lastLoadError_.clear();
        return true;
    }
    if (sourceBytes_.empty())
        return Refuse("no source bytes were kept");
    const std::vector<std::uint8_t> source = sourceBytes_;
    if (!LoadPicture_Stream(source, 0, 0, true))
        return false;
    RememberDecoded();
    return true;
}

void c32bppDIB::RememberDecoded()
{
    const auto pixels = PixelBytes();
    decoded_ = std::make_unique<Decoded>(Decoded{{pixels.begin(), pixels.end()}, width_, height_, imageType_, alpha_});
}

// Restoring kept bytes that decoded before to pixels of this surface's size: the same state a new
// load leaves (no bridge, a fresh context, the decoded pixels), without decoding again.
bool c32bppDIB::RestoreFromDecoded()
{
    if (!decoded_ || !bits_ || sourceBytes_.empty() || decoded_->width != width_ || decoded_->height != height_)
        return false;
    gdiBridge_.reset();
    if (ownDC_)
        ReleaseOwnDC();
    if (manageOwnDC_)
        ownDC_ = std::make_unique<DeviceContext>();
    std::memcpy(bits_, decoded_->pixels.data(), decoded_->pixels.size());
    imageType_ = decoded_->imageType;
    alpha_ = decoded_->alpha;
    PixelsChanged();
    return true;
}

bool c32bppDIB::LoadFromSource(const ReadOnlyFile* file, std::span<const std::uint8_t> bytes, bool SaveFormat)
{
    DestroyDIB();
    std::vector<std::uint8_t> ownedBytes;
    try {
        // The decoders write the pixels after making the surface.
        const Status loaded = TryLoaders(file, bytes, ownedBytes, SaveFormat);
        PixelsChanged();
        lastLoadError_ = loaded.error();
        if (!loaded)
            return false;
        if (SaveFormat)
            KeepSource(file, bytes);
    } catch (const std::bad_alloc&) {
        std::cerr << "dorvane: not enough memory to load the picture\n";
        DestroyDIB();
        return Refuse("not enough memory to load the picture");
    }
    return true;
}

// The loaders in their order: the PNG decoder, then the BMP and picture converter, then the imaging
// services. bytes may be redirected to ownedBytes (the file read whole, or the PNG made by the
// imaging services) so that the kept source is the right one. Without a picture, the reason is the
// last loader's.
Status c32bppDIB::TryLoaders(const ReadOnlyFile* file, std::span<const std::uint8_t>& bytes,
                             std::vector<std::uint8_t>& ownedBytes, bool SaveFormat)
{
    cPNGparser png;
    const bool isPng = file ? png.LoadFile(*file, *this) : png.LoadStream(bytes, *this, 0, std::int64_t(bytes.size()));
    std::string reason = png.LastError();
    auto readWholeFile = [&] {
        if (file && bytes.empty()) {
            auto whole = file->ReadAll();
            if (whole)
                ownedBytes = whole.take();
            bytes = ownedBytes;
        }
    };
    if (!isPng) {
        readWholeFile();
        cBMPparser bmp;
        bmp.LoadStream(bytes, *this, 0, std::int64_t(bytes.size()));
        reason = bmp.LastError();
    }
    if (!bits_ && cGDIPlus::kReadsMoreThanOwnDecoders && isGDIplusEnabled()) {
        readWholeFile();
        std::unique_ptr<cGDIPlus> temporary;
        cGDIPlus& bridge = Bridge(temporary);
        if (bridge.LoadViaGdiplus({}, bytes, *this, gdiToken_)) {
            std::vector<std::uint8_t> encoded;
            if (SaveFormat && bridge.SaveToPNG({}, encoded, *this, gdiToken_)) {
                ownedBytes = std::move(encoded);
                bytes = ownedBytes;
            }
            imageType_ = kPng;
        }
        reason = bridge.LastLoadError();
    }
    return bits_ ? Status::Ok() : Status::Failure(reason);
}

void c32bppDIB::KeepSource(const ReadOnlyFile* file, std::span<const std::uint8_t> bytes)
{
    if (!bytes.empty()) {
        sourceBytes_.assign(bytes.begin(), bytes.end());
        return;
    }
    if (file) {
        auto whole = file->ReadAll();
        if (whole)
            sourceBytes_ = whole.take();
    }
}

} // namespace dorvane
