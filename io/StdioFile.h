#pragma once

// StdioFile: the one file object of the structure readers and writers.
// A file (or pipe) of gzip data is read whole and inflated into memory when
// it is opened for reading, whatever its name: the readers see the text.
//
// Reading is binary and buffered by the object itself, so that the line reader
// costs no system call per character while GetPosition() and Seek() still speak
// in byte offsets from the start of the file (readers remember where a table
// starts and come back to it later). A pipe (named or not, /dev/stdin fed by
// another program) cannot seek, so it is read whole into memory when it is
// opened and served from there (a pipe that gives nothing for two seconds is
// given up rather than waited on; a Watch lets another thread follow the
// bytes come and stop the reading); other files that are not regular files
// (devices, sockets, folders) are refused, since reading them could hang or
// never end. What is read whole into memory (a pipe's bytes, a compressed
// file's text) may take a quarter of the memory available, at most 2 GiB:
// more is refused with the limit named, as is a file whose model would not
// fit. Writing is text mode: '\n' becomes the platform's own line end (LF
// here, CR LF on Windows).

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

class StdioFile {
public:
    // modeFollow reads a file that a program is still writing, looked at
    // again and again: a regular file as it stands, never blocking; a pipe,
    // a device or gzip data (which cannot grow in place) is refused at once.
    enum OpenMode { modeRead, modeWrite, modeFollow };

    StdioFile() = default;
    ~StdioFile();
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;

    // What another thread may follow and stop while a pipe is read whole as
    // it is opened: the bytes read so far, and a request to give up (the
    // open then fails with kCancelled within a tenth of a second).
    struct Watch {
        std::atomic<bool> cancel{false};
        std::atomic<std::uint64_t> bytesRead{0};
    };
    static constexpr const char* kCancelled = "reading was cancelled";

    // Opens path; on failure returns false and, when error is given, stores the
    // system's reason there. An open file is closed first. watch (when given)
    // follows a pipe's reading.
    bool Open(const std::string& path, OpenMode mode, std::string* error = nullptr,
              Watch* watch = nullptr);
    // Whether opening path for reading may keep the caller waiting: a named
    // pipe, read whole as it is opened, for as long as its writer writes.
    static bool MayWait(const std::string& path);
    // The most a pipe or a compressed file's text may hold in memory
    // whatever memory there is; more is refused rather than read.
    static constexpr std::size_t kMaxPipeBytes = std::size_t{1} << 31;
    // Whether the file opened was gzip data (its text is read from memory).
    bool WasCompressed() const { return compressed_; }
    // How long a pipe may stay silent before its first bytes, in ms.
    static constexpr int kPipeWaitMs = 2000;
    // Closes the file. Returns false when a write failed or the close itself did.
    bool Close();
    bool IsOpen() const { return fp_ != nullptr || inMemory_; }

    // Next byte (0..255) or EOF.
    int GetChar() {
        if (pos_ < len_)
            return static_cast<unsigned char>(buffer_[pos_++]);
        return Refill();
    }
    // Moves back over the byte the last successful GetChar() returned.
    void UngetChar();
    // The bytes read ahead and not yet consumed, filling the buffer first
    // when it is used up; available is 0 at the end of the file.
    const char* Peek(std::size_t& available) {
        if (pos_ == len_ && !FillBuffer()) {
            available = 0;
            return nullptr;
        }
        available = len_ - pos_;
        return buffer_.data() + pos_;
    }
    // Consumes n bytes of those Peek() offered.
    void Advance(std::size_t n) { pos_ += n; }
    // Appends the rest of the file, from the position to the end, to text.
    void AppendRest(std::string& text) {
        const std::int64_t rest = Size() - GetPosition();
        if (rest > 0)
            text.reserve(text.size() + static_cast<std::size_t>(rest));
        std::size_t available = 0;
        for (const char* bytes = Peek(available); available > 0; bytes = Peek(available)) {
            text.append(bytes, available);
            Advance(available);
        }
    }
    // Byte offset of the next byte GetChar() returns.
    std::int64_t GetPosition() const { return bufferStart_ + static_cast<std::int64_t>(pos_); }
    // Moves to a byte offset from the start of the file.
    bool Seek(std::int64_t offset);
    // The file's size in bytes now (a file being written grows); -1 when it
    // is not open.
    std::int64_t Size() const;
    // Reading ends at byte offset end as if the file ended there; -1 lifts
    // the limit. Bytes already read ahead past it are dropped.
    void LimitTo(std::int64_t end);

    // Writes text; returns false (and remembers the failure) on a short write.
    bool WriteString(std::string_view text);
    bool HasWriteError() const { return writeError_; }

private:
    // Reads the next block after the current one; false at the end of the file.
    bool FillBuffer();
    // The file opened for reading as fd, of the kind stat gave.
    bool OpenForReading(int fd, const struct stat& info, OpenMode mode, std::string* error,
                        Watch* watch);
    // Reads the pipe open as fd whole into the buffer.
    bool ReadPipe(int fd, std::string* error, Watch* watch);
    // Opened or opened again for reading or writing: at the start, no limit.
    void StartAt(OpenMode mode);
    // Inflates gzip data by inflate (into out, at most limit bytes) and makes
    // the text the file's bytes in memory; what names the data in the
    // message of one too large for the memory available.
    using Inflate = std::function<bool(std::vector<char>& out, std::size_t limit, std::string& why,
                                       bool* tooLarge)>;
    bool TakeInflated(const Inflate& inflate, const char* what, std::string* error);
    // The open file inflated into memory; its first block is in the buffer.
    bool ReadCompressed(std::string* error);
    // Inflates the bytes in memory when they are gzip data.
    bool InflateIfGzip(std::string* error);
    int Refill() { return FillBuffer() ? static_cast<unsigned char>(buffer_[pos_++]) : EOF; }

    std::FILE* fp_ = nullptr;
    OpenMode mode_ = modeRead;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    std::int64_t bufferStart_ = 0;
    bool writeError_ = false;
    bool inMemory_ = false;   // a pipe's bytes, all of them in buffer_
    bool compressed_ = false; // gzip data, inflated into buffer_
    std::int64_t limit_ = -1; // LimitTo's end, -1 for none
};
