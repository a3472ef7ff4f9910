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
    if (surface.LoadPicture_File(PathFromText(path)))
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

using ParsedConvert = Result<ConvertRequest>;

// The option's value as a number of type T, if given; the reason when it is no such number.
template <typename T>
std::optional<std::string> TakeNumber(const CommandLine& line, const std::string& name, const char* wanted, T& target)
{
    const auto text = line.Value(name);
    if (!text)
        return std::nullopt;
    const auto number = Number<T>(*text);
    if (!number || !std::isfinite(static_cast<double>(*number)))
        return name + " needs " + wanted + ", not \"" + *text + "\"";
    target = *number;
    return std::nullopt;
}

// The words after "convert": IN, OUT and the options; the reason when one is unknown, lacks its
// value or has a bad one.
ParsedConvert ParseConvert(std::span<const std::string> words)
{
    const auto parsed = CommandLine::Parse(words, {{}, {"--size", "--angle", "--opacity", "--hq"}});
    if (!parsed)
        return ParsedConvert::Failure(parsed.error());
    const CommandLine& line = parsed.value();
    const auto& operands = line.Operands();
    if (operands.size() != 2)
        return ParsedConvert::Failure(operands.size() < 2 ? "convert needs IN and OUT.png"
                                                          : "convert takes IN and OUT.png only: \"" + operands[2] +
                                                                "\" is one too many");
    ConvertRequest request{operands[0], operands[1], {}};
    ConvertOptions& options = request.options;
    if (const auto size = line.Value("--size")) {
        const auto x = size->find('x');
        const auto w = Number<std::int32_t>(std::string_view(*size).substr(0, x));
        const auto h = x == std::string::npos ? std::nullopt : Number<std::int32_t>(std::string_view(*size).substr(x + 1));
        if (!w || !h || *w < 1 || *h < 1 || std::int64_t{*w} * *h > (1 << 26))
            return ParsedConvert::Failure("--size needs WxH, two whole numbers from 1 with at most 67108864 pixels, not \"" +
                                          *size + "\"");
        options.width = *w, options.height = *h;
    }
    for (auto error : {TakeNumber(line, "--angle", "a number of degrees", options.angle),
                       TakeNumber(line, "--opacity", "a whole number of percent", options.opacity)})
        if (error)
            return ParsedConvert::Failure(*error);
    if (const auto hq = line.Value("--hq")) {
        if (*hq != "on" && *hq != "off")
            return ParsedConvert::Failure("--hq takes on or off, not \"" + *hq + "\"");
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
    if (Status written = FileStore::WriteOutput(PathFromText(outPath), std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
        !written) {
        err << "dorvane image: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

// What is wrong with the words of "decode" or "info", or nothing.
std::optional<std::string> DecodeOrInfoProblem(std::span<const std::string> args)
{
    if (args.empty())
        return "name what to do: decode, info or convert";
    const std::size_t wanted = args[0] == "decode" ? 3 : args[0] == "info" ? 2 : 0;
    if (!wanted)
        return "unknown image command \"" + args[0] + "\"; the commands are decode, info and convert";
    if (args.size() < wanted)
        return args[0] + (wanted == 3 ? " needs IN and OUT" : " needs IN");
    if (args.size() > wanted)
        return args[0] + " takes " + (wanted == 3 ? "IN and OUT" : "IN") + " only: \"" + args[wanted] +
               "\" is one too many";
    return std::nullopt;
}

int Usage(const std::string& problem, std::ostream& err)
{
    err << "dorvane image: " << problem << "\nusage:\n" << kImageCommandUsage;
    return 2;
}

} // namespace

namespace {

int DecodeOrInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    c32bppDIB surface;
    if (!Load(args[1], surface, err))
        return 1;
    if (args[0] == "info") {
        out << "width " << surface.Width() << "\nheight " << surface.Height() << "\nImageType "
            << surface.ImageType() << "\nAlpha " << (surface.Alpha() ? "True" : "False") << "\n";
        return 0;
    }
    if (Status written = FileStore::WriteOutput(PathFromText(args[2]), RawDump(surface)); !written) {
        err << "dorvane image: " << written.error() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunImageCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const bool convert = !args.empty() && args[0] == "convert";
    std::optional<ConvertRequest> request;
    if (convert) {
        auto parsed = ParseConvert(args.subspan(1));
        if (!parsed)
            return Usage(parsed.error(), err);
        request = parsed.value();
    } else if (const auto problem = DecodeOrInfoProblem(args)) {
        return Usage(*problem, err);
    }
    try {
        return convert ? Convert(request->in, request->out, request->options, err) : DecodeOrInfo(args, out, err);
    } catch (const std::bad_alloc&) {
        err << "dorvane image: not enough memory to " << args[0] << " " << args[1] << "\n";
        return 1;
    }
}

} // namespace dorvane
