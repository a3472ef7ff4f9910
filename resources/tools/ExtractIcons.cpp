// Writes every size of the program icon compiled into Dorvane as a desktop icon theme's folders:
//     dorvane_extract_icons OUT_DIR   ->   OUT_DIR/<N>x<N>/apps/dorvane.png, one per size
// The build runs it, so the icons installed for the desktop are the very pictures the program
// hands its own windows. Exits with 1 and a reason when a size is not a square PNG of that size.

#include "resources/EmbeddedResources.h"
#include "resources/IconImages.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>

namespace {

constexpr const char* kIconName = "MAINICON";
constexpr const char* kInstalledName = "dorvane.png";

std::uint32_t BigEndianAt(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 |
           std::uint32_t(bytes[at + 3]);
}

// A PNG starts with its 8-byte signature and then the IHDR chunk, whose data opens with the
// picture's width and height.
bool IsSquarePng(std::span<const std::uint8_t> bytes, int pixels)
{
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
        return false;
    const auto size = static_cast<std::uint32_t>(pixels);
    return BigEndianAt(bytes, 16) == size && BigEndianAt(bytes, 20) == size;
}

bool Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return !ec && out.good();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: dorvane_extract_icons OUT_DIR\n";
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    const auto images = dorvane::IconImages(dorvane::EmbeddedResources::Program(), kIconName);
    if (images.empty()) {
        std::cerr << "dorvane_extract_icons: the program holds no icon " << kIconName << "\n";
        return 1;
    }
    for (const dorvane::IconImage& image : images) {
        const std::string size = std::to_string(image.pixels);
        if (!IsSquarePng(image.bytes, image.pixels)) {
            std::cerr << "dorvane_extract_icons: " << kIconName << "-" << size << " is not a " << size << "x" << size
                      << " PNG\n";
            return 1;
        }
        const auto path = outDir / (size + "x" + size) / "apps" / kInstalledName;
        if (!Write(path, image.bytes)) {
            std::cerr << "dorvane_extract_icons: cannot write " << path.string() << "\n";
            return 1;
        }
    }
    return 0;
}
