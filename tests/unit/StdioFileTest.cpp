// The file object: opening failures, text-mode writing, write errors.

#include "io/StdioFile.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StdioFile, MissingFileFailsWithAReason) {
    TempDir dir;
    StdioFile file;
    std::string error;
    EXPECT_FALSE(file.Open(dir.File("absent.log"), StdioFile::modeRead, &error));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(file.GetChar(), EOF);
    EXPECT_FALSE(file.Seek(0));

    error.clear();
    EXPECT_FALSE(file.Open(dir.File(""), StdioFile::modeRead, &error)); // the folder itself
    EXPECT_FALSE(error.empty());
}

TEST(StdioFile, TextModeWritesThePlatformLineEnd) {
    TempDir dir;
    const std::string path = dir.File("out.com");
    StdioFile file;
    ASSERT_TRUE(file.Open(path, StdioFile::modeWrite));
    EXPECT_TRUE(file.WriteString("# HF/3-21G\n\n"));
    EXPECT_TRUE(file.WriteString("title\n"));
    EXPECT_TRUE(file.Close());
#ifdef _WIN32
    EXPECT_EQ(Contents(path), "# HF/3-21G\r\n\r\ntitle\r\n");
#else
    EXPECT_EQ(Contents(path), "# HF/3-21G\n\ntitle\n");
#endif
}

TEST(StdioFile, WriteErrorsAreReportedNotSwallowed) {
    StdioFile full;
    // /dev/full accepts the open and fails every write once flushed.
    if (!full.Open("/dev/full", StdioFile::modeWrite))
        GTEST_SKIP() << "/dev/full is not available here";
    full.WriteString(std::string(1 << 20, 'x'));
    EXPECT_FALSE(full.Close());

    StdioFile reader;
    TempDir dir;
    ASSERT_TRUE(reader.Open(dir.Write("in.txt", "abc"), StdioFile::modeRead));
    EXPECT_FALSE(reader.WriteString("no"));
    EXPECT_TRUE(reader.HasWriteError());
}

// A pipe cannot seek: it is read whole when opened, and then seeks like a
// file. A named pipe nobody writes to is given up rather than waited on for
// ever; devices are refused rather than read for ever.
TEST(StdioFile, PipesAreReadWholeAndDevicesRefused) {
    TempDir dir;
    const std::string fifo = dir.File("in.pdb");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string text = std::string(200000, 'x') + "\nend";
    std::thread writer([&] {
        std::ofstream out(fifo, std::ios::binary);
        out << text;
    });
    StdioFile file;
    std::string error;
    ASSERT_TRUE(file.Open(fifo, StdioFile::modeRead, &error)) << error;
    writer.join();
    ASSERT_TRUE(file.Seek(200001));
    EXPECT_EQ(file.GetChar(), 'e');
    ASSERT_TRUE(file.Seek(0));
    EXPECT_EQ(file.GetChar(), 'x');
    EXPECT_FALSE(file.Seek(static_cast<std::int64_t>(text.size()) + 1));
    file.Close();

    EXPECT_FALSE(file.Open(fifo, StdioFile::modeRead, &error)); // no writer
    EXPECT_EQ(error, "nothing was written to the pipe");

    // The unnamed pipe of a shell's "|", reached as /dev/fd/N.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], "abc", 3), 3);
    close(ends[1]);
    ASSERT_TRUE(file.Open("/dev/fd/" + std::to_string(ends[0]), StdioFile::modeRead, &error))
        << error;
    close(ends[0]);
    EXPECT_EQ(file.GetChar(), 'a');

    for (const char* device : {"/dev/zero", "/dev/null"}) {
        error.clear();
        EXPECT_FALSE(file.Open(device, StdioFile::modeRead, &error)) << device;
        EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    }
}

TEST(StdioFile, UngetAndSeekKeepPositionsInBytes) {
    TempDir dir;
    StdioFile file;
    ASSERT_TRUE(
        file.Open(dir.Write("in.txt", std::string(70000, 'a') + "bc"), StdioFile::modeRead));
    ASSERT_TRUE(file.Seek(69999));
    EXPECT_EQ(file.GetChar(), 'a');
    EXPECT_EQ(file.GetChar(), 'b');
    file.UngetChar();
    EXPECT_EQ(file.GetPosition(), 70000);
    EXPECT_EQ(file.GetChar(), 'b');
    EXPECT_EQ(file.GetChar(), 'c');
    EXPECT_EQ(file.GetChar(), EOF);
    EXPECT_EQ(file.GetPosition(), 70002);
    EXPECT_FALSE(file.Seek(-1));
    ASSERT_TRUE(file.Seek(1));
    EXPECT_EQ(file.GetChar(), 'a');
}

} // namespace
