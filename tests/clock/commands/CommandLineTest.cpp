#include "clock/commands/CommandLine.h"
#include "tests/support/CommandFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dorvane {
namespace {

using testing::Words;

TEST(CommandLine, SplitsKnownOptionsWithTheirValuesFromOperandsAndRefusesTheRest)
{
    // The error, empty when the words parse, and what was parsed.
    const struct { Words words; std::string error; bool flag; std::optional<std::string> out; Words operands; } cases[] = {
        {{}, "", false, std::nullopt, {}},
        {{"in", "--out", "a.png", "-750", "--flag"}, "", true, "a.png", {"in", "-750"}},
        {{"--out=a=b", "--out", "--flag"}, "", false, "--flag", {}}, // the last value counts, whatever it looks like
        {{"--out="}, "", false, "", {}},
        {{"-h", "x=y"}, "", false, std::nullopt, {"x=y"}},
        {{"in", "--out"}, "--out needs a value", false, std::nullopt, {}},
        {{"--flag=on"}, "--flag takes no value", false, std::nullopt, {}},
        {{"in", "--colour", "red"}, "unknown option --colour", false, std::nullopt, {}},
        {{"--colour=red"}, "unknown option --colour", false, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words));
        const auto line = CommandLine::Parse(c.words, OptionNames{{"--flag", "-h"}, {"--out"}});
        ASSERT_EQ(line.ok() ? "" : line.error(), c.error);
        if (!line)
            continue;
        EXPECT_EQ(line.value().Has("--flag"), c.flag);
        EXPECT_EQ(line.value().Value("--out"), c.out);
        EXPECT_EQ(line.value().Operands(), c.operands);
    }
}

TEST(CommandLine, AFileNamedInUtf8KeepsItsLettersOnEverySystem)
{
    for (const char* name : {"clock.png", "Zeitmesser \xc3\xbc.png", "\xe6\x99\x82\xe8\xa8\x88/face.png"}) {
        const std::u8string text = PathFromText(name).generic_u8string();
        EXPECT_EQ(std::string(text.begin(), text.end()), name);
    }
}

} // namespace
} // namespace dorvane
