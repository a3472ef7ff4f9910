#include "image/ImageCommand.h"

#include "image/ImageFile.h"
#include "image/c32bppDIB.h"
#include "platform/FileStore.h"

#include <cstring>
#include <ostream>

namespace dorvane {
namespace {

constexpr const char* kUsage = "usage: dorvane image decode IN OUT | dorvane image info IN\n";

void AppendLittleEndian32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(value >> shift);
}

std::string RawDump(const c32bppDIB& surface)
{
    std::string dump;
    const PixelView pixels = surface.Pixels();
    const std::size_t rowBytes = std::size_t(pixels.width) * 4;
    dump.reserve(8 + rowBytes * std::size_t(pixels.height));
    AppendLittleEndian32(dump, static_cast<std::uint32_t>(pixels.width));
    AppendLittleEndian32(dump, static_cast<std::uint32_t>(pixels.height));
    for (std::int32_t y = 0; y < pixels.height; ++y)
        dump.append(reinterpret_cast<const char*>(pixels.Row(y)), rowBytes);
    return dump;
}

// Loads the file into surface, or says in one line why no picture came of it.
bool Load(const std::string& path, c32bppDIB& surface, std::ostream& err)
{
    auto file = ImageFile::Open(path);
    if (!file) {
        err << "dorvane: " << file.error() << "\n";
        return false;
    }
    if (file.value().Size() < c32bppDIB::kMinimumSourceBytes) {
        err << "dorvane: " << path << " is too short to be a picture\n";
        return false;
    }
    if (!surface.LoadPicture_File(path)) {
        err << "dorvane: " << path << " holds no picture Dorvane can read\n";
        return false;
    }
    return true;
}

} // namespace

int RunImageCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const bool decode = args.size() == 3 && args[0] == "decode";
    const bool info = args.size() == 2 && args[0] == "info";
    if (!decode && !info) {
        err << kUsage;
        return 2;
    }
    c32bppDIB surface;
    if (!Load(args[1], surface, err))
        return 1;
    if (info) {
        out << "width " << surface.Width() << "\nheight " << surface.Height() << "\nImageType "
            << surface.ImageType() << "\nAlpha " << (surface.Alpha() ? "True" : "False") << "\n";
        return 0;
    }
    if (Status written = FileStore::Replace(args[2], RawDump(surface)); !written) {
        err << "dorvane: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

} // namespace dorvane
