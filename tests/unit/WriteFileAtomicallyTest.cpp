#include "io/WriteFileAtomically.h"
#include "TempDir.h"
#include "io/StdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

    // A link to a file still to be made (relative, through a second link)
    // makes that file and stays a link (it was once replaced by a file).
    std::filesystem::create_directory(dir.File("sub"));
    std::filesystem::create_symlink("sub/later.pdb", dir.File("inner.pdb"));
    std::filesystem::create_symlink("inner.pdb", dir.File("outer.pdb"));
    ASSERT_TRUE(WriteFileAtomically(dir.File("outer.pdb"), kWriteNew, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("outer.pdb")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("inner.pdb")));
    EXPECT_EQ(Contents(dir.File("sub/later.pdb")), "new\n");

    // A loop of links is refused, and nothing is written.
    std::filesystem::create_symlink("loop-b.pdb", dir.File("loop-a.pdb"));
    std::filesystem::create_symlink("loop-a.pdb", dir.File("loop-b.pdb"));
    EXPECT_FALSE(WriteFileAtomically(dir.File("loop-a.pdb"), kWriteNew, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("loop-a.pdb")));
}

TEST(WriteFileAtomically, TargetsThatAreNoRegularFileAreWrittenInPlace) {
    TempDir dir;
    std::string error;
    // A device stays a device (as root, renaming over it would replace it).
    ASSERT_TRUE(WriteFileAtomically("/dev/null", kWriteNew, error)) << error;
    struct stat info {};
    ASSERT_EQ(stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    // A link to a device likewise.
    const std::string link = dir.File("sink.pdb");
    std::filesystem::create_symlink("/dev/null", link);
    ASSERT_TRUE(WriteFileAtomically(link, kWriteNew, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));

    // A named pipe with a reader gets the bytes; without one the write
    // fails at once instead of waiting.
    const std::string fifo = dir.File("out.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileAtomically(fifo, kWriteNew, error));
    EXPECT_EQ(error, "nothing reads from the pipe");
    std::string received;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        received = text.str();
    });
    // The reader may not have opened its end yet: try until it has.
    bool written = false;
    for (int attempt = 0; attempt < 500 && !written; ++attempt) {
        written = WriteFileAtomically(fifo, kWriteNew, error);
        if (!written)
            usleep(10000);
    }
    reader.join();
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(received, "new\n");
    struct stat fifoInfo {};
    ASSERT_EQ(stat(fifo.c_str(), &fifoInfo), 0);
    EXPECT_TRUE(S_ISFIFO(fifoInfo.st_mode));

    // A folder is refused.
    EXPECT_FALSE(WriteFileAtomically(dir.File(""), kWriteNew, error));
}

TEST(WriteFileAtomically, ScratchFilesAreHiddenAndLongNamesStillWork) {
    TempDir dir;
    std::string error;
    // A scratch file that stays behind: hidden, and of no structure kind.
    std::string scratch;
    const auto peek = [&](StdioFile& file) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(dir.File("")).parent_path()))
            scratch = entry.path().filename().string();
        return file.WriteString("new\n");
    };
    ASSERT_TRUE(WriteFileAtomically(dir.File("mol.pdb"), peek, error)) << error;
    EXPECT_EQ(scratch.rfind(".mol.pdb.ravek-", 0), 0u) << scratch;
    EXPECT_EQ(scratch.substr(scratch.size() - 4), ".tmp") << scratch;

    // A name of 250 characters leaves no room for the usual scratch name.
    const std::string longName = dir.File(std::string(246, 'n') + ".pdb");
    ASSERT_TRUE(WriteFileAtomically(longName, kWriteNew, error)) << error;
    EXPECT_EQ(Contents(longName), "new\n");
    EXPECT_EQ(FilesIn(dir), 2u);
}

TEST(WriteFileAtomically, TheOwnerIsKeptWhereThisProcessMaySetIt) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only a privileged process can give a file away";
    TempDir dir;
    const std::string target = dir.Write("theirs.pdb", "old\n");
    ASSERT_EQ(chown(target.c_str(), 4321, 4322), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, kWriteNew, error)) << error;
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

// Another program fills the scratch file by its path: it gets an empty file
// with the finished file's permissions beside the target, which it replaces
// only when the program succeeded; a stop leaves the old file and nothing
// else; a device is refused rather than written in place.
TEST(ProduceFileAtomically, TheTargetIsReplacedOnlyWhenTheProgramSucceeded) {
    TempDir dir;
    const std::string target = dir.Write("movie.mp4", "old\n");
    ASSERT_EQ(chmod(target.c_str(), 0604), 0);
    std::string seen;
    const auto stopped = [&seen](const std::string& scratch, std::string& error) {
        seen = scratch;
        std::ofstream(scratch) << "half";
        error.clear(); // a stop the user asked for
        return false;
    };
    std::string error = "set";
    EXPECT_FALSE(ProduceFileAtomically(target, stopped, error));
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(std::filesystem::path(seen).parent_path(),
              std::filesystem::path(target).parent_path());
    EXPECT_EQ(Contents(target), "old\n");
    EXPECT_EQ(FilesIn(dir), 1u);

    const auto made = [](const std::string& scratch, std::string&) {
        struct stat info {};
        if (stat(scratch.c_str(), &info) != 0 || (info.st_mode & 0777) != 0604 || info.st_size != 0)
            return false;
        std::ofstream(scratch) << "new movie";
        return true;
    };
    ASSERT_TRUE(ProduceFileAtomically(target, made, error)) << error;
    EXPECT_EQ(Contents(target), "new movie");
    EXPECT_EQ(FilesIn(dir), 1u);
    EXPECT_FALSE(ProduceFileAtomically("/dev/null", made, error));
    EXPECT_EQ(error, "not a regular file");
}
