#include "platform/WriteFileAtomically.h"
#include "TempDir.h"
#include "platform/StdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t FilesIn(const TempDir& dir) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(dir.File("")).parent_path()))
        ++count;
    return count;
}

const auto kWriteNew = [](StdioFile& file) { return file.WriteString("new\n"); };

} // namespace

TEST(WriteFileAtomically, ReplacesTheTargetKeepingItsPermissions) {
    TempDir dir;
    const std::string target = dir.Write("out.pdb", "old\n");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, kWriteNew, error)) << error;
    EXPECT_EQ(Contents(target), "new\n");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(WriteFileAtomically, AFailedWriteLeavesTheOldFileAndNoScratchFile) {
    TempDir dir;
    const std::string target = dir.Write("out.pdb", "old\n");
    std::string error;
    const auto failing = [](StdioFile& file) {
        file.WriteString("half");
        return false;
    };
    EXPECT_FALSE(WriteFileAtomically(target, failing, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Contents(target), "old\n");
    EXPECT_EQ(FilesIn(dir), 1u);

    EXPECT_FALSE(WriteFileAtomically(dir.File("no-such-folder/out.pdb"), kWriteNew, error));
    EXPECT_FALSE(error.empty());
}

TEST(WriteFileAtomically, ALinkIsFollowedNotReplaced) {
    TempDir dir;
    const std::string real = dir.Write("real.pdb", "old\n");
    const std::string link = dir.File("link.pdb");
    std::filesystem::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(link, kWriteNew, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Contents(real), "new\n");
}
