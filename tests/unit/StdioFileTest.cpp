// The file object: opening failures, text-mode writing, write errors.

#include "io/StdioFile.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
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

// A pipe whose writer goes on writing is followed from another thread: the
// bytes read so far count up as they come, and a request to stop ends the
// open within moments however long the writer would go on; a pipe opened
// by name is a file that may keep its opener waiting, a regular file not.
TEST(StdioFile, APipesReadingIsWatchedAndStopped) {
    TempDir dir;
    const std::string fifo = dir.File("slow.pdb");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(StdioFile::MayWait(fifo));
    EXPECT_FALSE(StdioFile::MayWait(dir.Write("plain.pdb", "ATOM\n")));
    EXPECT_FALSE(StdioFile::MayWait(dir.File("missing.pdb")));

    // The writer learns the reader has gone from its failed write, not from
    // a signal that would end the test.
    std::signal(SIGPIPE, SIG_IGN);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const int fd = open(fifo.c_str(), O_WRONLY);
        // A line every 20 ms until the reader has gone.
        while (!stop && write(fd, "REMARK slowly\n", 14) == 14)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        close(fd);
    });
    StdioFile::Watch watch;
    std::string error;
    bool opened = true;
    std::thread reader([&] {
        StdioFile file;
        opened = file.Open(fifo, StdioFile::modeRead, &error, &watch);
    });
    // The bytes come in as they are written.
    const auto start = std::chrono::steady_clock::now();
    while (watch.bytesRead < 14 * 5 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(watch.bytesRead, 14u * 5);
    EXPECT_EQ(watch.bytesRead % 14, 0u);
    const auto asked = std::chrono::steady_clock::now();
    watch.cancel = true;
    reader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(1000));
    EXPECT_FALSE(opened);
    EXPECT_EQ(error, StdioFile::kCancelled);
    stop = true;
    writer.join();
}

// A file followed while its program writes it is looked at again and again:
// a regular file is read as it stands, but a pipe (even one holding bytes,
// whose writer never ends) or gzip data put in its place is refused at once.
TEST(StdioFile, FollowingTakesOnlyARegularFileAndNeverWaits) {
    TempDir dir;
    StdioFile file;
    std::string error;
    ASSERT_TRUE(file.Open(dir.Write("job.log", "step 1\n"), StdioFile::modeFollow, &error));
    EXPECT_EQ(file.GetChar(), 's');
    EXPECT_FALSE(file.WasCompressed());
    file.Close();

    const std::string fifo = dir.File("pipe.log");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int held = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    ASSERT_EQ(write(held, "step 2\n", 7), 7);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(file.Open(fifo, StdioFile::modeFollow, &error));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    char left[8];
    EXPECT_EQ(read(held, left, sizeof left), 7); // nothing was taken from the pipe
    close(held);

    const unsigned char gzipStart[] = {0x1f, 0x8b, 0x08, 0x00};
    dir.Write("job.log.gz", std::string(reinterpret_cast<const char*>(gzipStart), 4));
    EXPECT_FALSE(file.Open(dir.File("job.log.gz"), StdioFile::modeFollow, &error));
    EXPECT_NE(error.find("cannot grow in place"), std::string::npos) << error;
    EXPECT_FALSE(file.Open(dir.File(""), StdioFile::modeFollow, &error));
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
