#include "platform/FileStore.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace dorvane {
namespace {

using testing::TempFolder;

TEST(FileStore, ReadsWholeFilesAndTellsAMissingFileFromAFailure)
{
    TempFolder folder;
    TempFolder::Write(folder / "a", std::string("x\0y", 3));
    auto present = FileStore::Read(folder / "a", 100);
    ASSERT_TRUE(present.ok());
    EXPECT_EQ(present.value(), std::string("x\0y", 3));

    auto missing = FileStore::Read(folder / "b", 100);
    ASSERT_TRUE(missing.ok());
    EXPECT_FALSE(missing.value().has_value());

    EXPECT_FALSE(FileStore::Read(folder / "a", 2).ok());
    EXPECT_FALSE(FileStore::Read(folder.path(), 100).ok());
}

TEST(FileStore, ReplaceKeepsTheFilesModeAndWritesThroughALink)
{
    TempFolder folder;
    TempFolder::Write(folder / "real.ini", "old");
    ::chmod((folder / "real.ini").c_str(), 0600);
    std::filesystem::create_symlink(folder / "real.ini", folder / "link.ini");
    ASSERT_TRUE(FileStore::Replace(folder / "link.ini", "new").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(TempFolder::Read(folder / "real.ini"), "new");
    struct stat st {};
    ::stat((folder / "real.ini").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(FileStore, RemoveIgnoresAMissingFile)
{
    TempFolder folder;
    EXPECT_TRUE(FileStore::Remove(folder / "none").ok());
    TempFolder::Write(folder / "a", "x");
    EXPECT_TRUE(FileStore::Remove(folder / "a").ok());
    EXPECT_FALSE(std::filesystem::exists(folder / "a"));
    EXPECT_FALSE(FileStore::Remove(folder.path()).ok());
}

} // namespace
} // namespace dorvane
