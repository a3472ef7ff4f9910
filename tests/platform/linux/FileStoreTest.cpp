#include "platform/FileStore.h"
#include "platform/ReadOnlyFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvane {
namespace {

using testing::TempFolder;

// A FIFO with no writer would block an ordinary open forever; it is refused at once instead.
TEST(FileStore, ReadsWholeRegularFilesOnlyWithoutWaitingTellsAMissingFileFromAFailureAndRemovesFiles)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    for (const auto& path : {folder / "fifo", folder.path(), std::filesystem::path("/dev/null")}) {
        SCOPED_TRACE(path);
        auto read = FileStore::Read(path, 100);
        auto opened = ReadOnlyFile::Open(path);
        ASSERT_FALSE(read.ok() || opened.ok());
        EXPECT_NE(read.error().find("is not a regular file"), std::string::npos) << read.error();
        EXPECT_NE(opened.error().find("is not a regular file"), std::string::npos) << opened.error();
    }
    TempFolder::Write(folder / "a", std::string("x\0y", 3));
    EXPECT_EQ(FileStore::Read(folder / "a", 100).value(), std::string("x\0y", 3));
    auto missing = FileStore::Read(folder / "b", 100);
    ASSERT_TRUE(missing.ok() && !missing.value().has_value());
    EXPECT_FALSE(FileStore::Read(folder / "a", 2).ok()) << "larger than allowed";
    EXPECT_TRUE(FileStore::Remove(folder / "none").ok());
    EXPECT_TRUE(FileStore::Remove(folder / "a").ok());
    EXPECT_FALSE(std::filesystem::exists(folder / "a"));
    EXPECT_FALSE(FileStore::Remove(folder.path()).ok());
}

// A link is kept and the file at the end of its chain written, keeping its mode, relative links
// read from their own folder, even when that file does not exist yet.
TEST(FileStore, ReplacingThroughALinkWritesTheFileAtTheEndOfTheChainEvenWhenItIsMissing)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "sub");
    TempFolder::Write(folder / "sub" / "a.ini", "old");
    ::chmod((folder / "sub" / "a.ini").c_str(), 0600);
    const struct { const char* link; std::filesystem::path target; const char* written; } cases[] = {
        {"absolute", folder / "sub" / "a.ini", "sub/a.ini"}, {"chain", "sub/relative", "sub/b.ini"},
            {"sub/relative", "b.ini", "sub/b.ini"}};
    for (const auto& c : cases)
        std::filesystem::create_symlink(c.target, folder / c.link);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        ASSERT_TRUE(FileStore::Replace(folder / c.link, c.link).ok());
        EXPECT_TRUE(std::filesystem::is_symlink(folder / c.link));
        EXPECT_EQ(TempFolder::Read(folder / c.written), c.link);
    }
    EXPECT_EQ(std::filesystem::status(folder / "sub" / "a.ini").permissions(), std::filesystem::perms(0600));
    std::filesystem::create_symlink("loop", folder / "loop");
    EXPECT_FALSE(FileStore::Replace(folder / "loop", "x").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "loop"));
}

// A save killed before its rename leaves its temporary behind; the next save removes it once it is
// old, but nothing else that only looks like one.
TEST(FileStore, ReplacingRemovesOldTemporariesOfTheSameFileOnly)
{
    TempFolder folder;
    const struct { const char* name; bool old; bool folder; bool kept; } cases[] = {
        {".s.ini.Ab3xYz", true, false, false}, {".s.ini.Fresh1", false, false, true}, {".s.ini.Ab3xYzW", true, false, true},
        {".t.ini.Ab3xYz", true, false, true}, {".s.ini.Fold3r", true, true, true}};
    for (const auto& c : cases) {
        c.folder ? void(std::filesystem::create_directory(folder / c.name)) : TempFolder::Write(folder / c.name, "x");
        if (c.old)
            std::filesystem::last_write_time(folder / c.name, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    ASSERT_TRUE(FileStore::Replace(folder / "s.ini", "new").ok());
    for (const auto& c : cases)
        EXPECT_EQ(std::filesystem::exists(folder / c.name), c.kept) << c.name;
}

// An output replaces only a regular file. A FIFO, a device and a file reached through /proc are
// written in place and stay what they were; a folder is refused; Replace refuses all but the file.
TEST(FileStore, OutputsReplaceOnlyRegularFilesAndWriteFifosDevicesAndProcLinksInPlace)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    auto fromFifo = std::async(std::launch::async, [&] {
        std::ifstream in(folder / "fifo", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    });
    TempFolder::Write(folder / "open", "old");
    const int open = ::open((folder / "open").c_str(), O_RDONLY);
    fs::create_symlink("/proc/self/fd/" + std::to_string(open), folder / "proc-link");
    fs::create_symlink("/dev/null", folder / "null-link");
    const struct { fs::path path; fs::file_type type; const char* refused; } cases[] = {
        {folder / "fifo", fs::file_type::fifo, nullptr},
        {"/dev/null", fs::file_type::character, nullptr},
        {folder / "null-link", fs::file_type::symlink, nullptr},
        {folder / "proc-link", fs::file_type::symlink, nullptr},
        {folder / "new", fs::file_type::regular, nullptr},
        {folder.path(), fs::file_type::directory, " is a folder, not a file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const Status written = FileStore::WriteOutput(c.path, "bytes");
        EXPECT_EQ(written.ok(), !c.refused) << written.error();
        EXPECT_EQ(written.error(), c.refused ? c.path.string() + c.refused : "");
        EXPECT_EQ(FileStore::Replace(c.path, "x").ok(), c.type == fs::file_type::regular);
        EXPECT_EQ(fs::symlink_status(c.path).type(), c.type);
    }
    ::close(::open((folder / "fifo").c_str(), O_WRONLY | O_NONBLOCK)); // frees the reader if nothing came
    EXPECT_EQ(fromFifo.get(), "bytes");
    EXPECT_EQ(TempFolder::Read(folder / "open"), "bytes");
    ::close(open);
}

} // namespace
} // namespace dorvane
