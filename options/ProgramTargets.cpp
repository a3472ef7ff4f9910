#include "options/ProgramTargets.h"

namespace dorvane {

std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

StartCommand StartCommandFor(const std::filesystem::path& program, const std::filesystem::path& settingsFile,
                             bool settingsGiven)
{
    StartCommand start{PathText(program), {}};
    if (settingsGiven)
        start.arguments = {"--settings", PathText(std::filesystem::absolute(settingsFile))};
    return start;
}

std::vector<std::filesystem::path> ManualPlaces(const std::filesystem::path& programFolder)
{
    return {programFolder / "../share/doc/dorvane/README.md", programFolder / "README.md"};
}

AboutTargets AboutTargetsFor(const std::vector<std::filesystem::path>& manualPlaces,
                             const std::filesystem::path& settingsFile)
{
    AboutTargets targets{{}, PathText(std::filesystem::absolute(settingsFile).parent_path())};
    std::error_code ec;
    for (const auto& place : manualPlaces)
        if (std::filesystem::is_regular_file(place, ec)) {
            targets.manual = PathText(std::filesystem::weakly_canonical(place, ec));
            break;
        }
    return targets;
}

} // namespace dorvane
