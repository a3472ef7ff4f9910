#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace dorvane {

class c32bppDIB;

// The door to the imaging services: it starts and stops them (by token), loads any picture they can
// decode into a surface and encodes a surface as PNG. Elsewhere this is a system imaging library;
// here the services are Dorvane's own decoders and encoder, always present, and a "start" is only
// bookkeeping that keeps the token rules: a start this object made itself ends with it, a token
// lent by the owner is never ended by it.
class cGDIPlus {
public:
    cGDIPlus() = default;
    ~cGDIPlus();
    cGDIPlus(const cGDIPlus&) = delete;
    cGDIPlus& operator=(const cGDIPlus&) = delete;

    // True when the services can run. Unless this object holds a start of its own, it starts them
    // into gdiToken and, without KeepToken, stops them again at once (a probe).
    bool isGDIplusOk(std::uint32_t& gdiToken, bool KeepToken = false);

    // Decodes the named file, or bytes when fileName is empty, into surface: ImageType 10, Alpha as
    // the picture's format carries it. On failure the surface is left empty.
    bool LoadViaGdiplus(const std::filesystem::path& fileName, std::span<const std::uint8_t> bytes,
                        c32bppDIB& surface, std::uint32_t token);

    // Writes the surface's pixels as an upright 8-bit RGBA PNG to FileName, or into outStream when
    // FileName is empty. Loading the PNG again gives back exactly the same pixels.
    bool SaveToPNG(const std::filesystem::path& FileName, std::vector<std::uint8_t>& outStream,
                   const c32bppDIB& cHost, std::uint32_t GlobalToken);

    // Ends the start that token belongs to; false when it was not running.
    bool StopGdiplus(std::uint32_t token);

    // The program-wide starts of the services.
    static std::uint32_t Startup();
    static bool Shutdown(std::uint32_t token);
    static bool IsStarted(std::uint32_t token);

private:
    bool MakeSureRunning(std::uint32_t token);
    std::uint32_t OwnToken = 0;
};

} // namespace dorvane
