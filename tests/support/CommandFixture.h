#pragma once

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dorvane::testing {

using Bytes = std::vector<std::uint8_t>;
using Words = std::vector<std::string>;

struct CommandRun {
    int status;
    std::string out, err;
};

struct CommandTest : ::testing::Test {
    std::string Put(const std::string& name, const std::string& text)
    {
        TempFolder::Write(folder / name, text);
        return (folder / name).string();
    }
    std::string Put(const std::string& name, const Bytes& bytes) { return Put(name, std::string(bytes.begin(), bytes.end())); }
    TempFolder folder;
};

} // namespace dorvane::testing
