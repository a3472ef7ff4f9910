#include "clock/commands/ImageCommand.h"

#include "clock/commands/CommandLine.h"
#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "platform/FileStore.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <ostream>

namespace dorvane {

const char* const kImageCommandUsage =
    "       dorvane image decode IN OUT         write the picture IN as raw pixels to OUT\n"
    "       dorvane image info IN               print the picture's size and kind\n"
    "       dorvane image convert IN OUT.png [--size WxH] [--angle DEG] [--opacity P] [--hq on|off]\n"
    "                                           render IN as the clock draws its hands, save as PNG\n";

namespace {

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
    if (surface.LoadPicture_File(path))
        return true;
    err << "dorvane image: cannot load " << path << ": " << surface.LastLoadError() << "\n";
    return false;
}

// The whole text as a number of type T, or nothing.
template <typename T>
std::optional<T> Number(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct ConvertOptions {
    std::int32_t width = 0, height = 0;  // 0: the picture's own
    float angle = 0;
    std::int32_t opacity = 100;
    bool highQuality = true;
};

struct ConvertRequest {
    std::string in, out;
    ConvertOptions options;
};

// The words after "convert": IN, OUT and the options; nothing when one is unknown, lacks its value
// or has a bad one.
std::optional<ConvertRequest> ParseConvert(std::span<const std::string> words)
{
    const auto parsed = CommandLine::Parse(words, {{}, {"--size", "--angle", "--opacity", "--hq"}});
    if (!parsed || parsed.value().Operands().size() != 2)
        return std::nullopt;
    const CommandLine& line = parsed.value();
    ConvertRequest request{line.Operands()[0], line.Operands()[1], {}};
    ConvertOptions& options = request.options;
    if (const auto size = line.Value("--size")) {
        const auto x = size->find('x');
        const auto w = Number<std::int32_t>(std::string_view(*size).substr(0, x));
        const auto h = x == std::string::npos ? std::nullopt : Number<std::int32_t>(std::string_view(*size).substr(x + 1));
        if (!w || !h || *w < 1 || *h < 1 || std::int64_t{*w} * *h > (1 << 26))
            return std::nullopt;
        options.width = *w, options.height = *h;
    }
    if (const auto text = line.Value("--angle")) {
        const auto angle = Number<float>(*text);
        if (!angle || !std::isfinite(*angle))
            return std::nullopt;
        options.angle = *angle;
    }
    if (const auto text = line.Value("--opacity")) {
        const auto opacity = Number<std::int32_t>(*text);
        if (!opacity)
            return std::nullopt;
        options.opacity = *opacity;
    }
    if (const auto hq = line.Value("--hq")) {
        if (*hq != "on" && *hq != "off")
            return std::nullopt;
        options.highQuality = *hq == "on";
    }
    return request;
}

int Convert(const std::string& in, const std::string& outPath, const ConvertOptions& options, std::ostream& err)
{
    c32bppDIB picture;
    if (!Load(in, picture, err))
        return 1;
    picture.SetHighQualityInterpolation(options.highQuality);
    c32bppDIB canvas;
    const std::int32_t width = options.width ? options.width : picture.Width();
    const std::int32_t height = options.height ? options.height : picture.Height();
    if (!canvas.InitializeDIB(width, height)) {
        err << "dorvane image: cannot make a " << width << "x" << height << " picture\n";
        return 1;
    }
    picture.Render(nullptr, 0, 0, width, height, 0, 0, 0, 0, options.opacity, true, true, &canvas, options.angle);
    std::vector<std::uint8_t> png;
    if (!cGDIPlus().SaveToPNG({}, png, canvas, 0)) {
        err << "dorvane image: the picture could not be encoded as PNG\n";
        return 1;
    }
    if (Status written = FileStore::WriteOutput(outPath, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
        !written) {
        err << "dorvane image: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunImageCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && args[0] == "convert") {
        const auto request = ParseConvert(args.subspan(1));
        if (!request) {
            err << "usage:\n" << kImageCommandUsage;
            return 2;
        }
        try {
            return Convert(request->in, request->out, request->options, err);
        } catch (const std::bad_alloc&) {
            err << "dorvane image: not enough memory to convert " << request->in << "\n";
            return 1;
        }
    }
    const bool decode = args.size() == 3 && args[0] == "decode";
    const bool info = args.size() == 2 && args[0] == "info";
    if (!decode && !info) {
        err << "usage:\n" << kImageCommandUsage;
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
    if (Status written = FileStore::WriteOutput(args[2], RawDump(surface)); !written) {
        err << "dorvane image: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

} // namespace dorvane
