#include "io/StdioFile.h"

#include "io/Gunzip.h"
#include "io/MemoryAvailable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadBufferSize = 1 << 16;

// Why a file of another kind than a regular file (or, to read once, a pipe)
// is not read.
const char* NotReadable(StdioFile::OpenMode mode) {
    return mode == StdioFile::modeFollow
               ? "not a regular file (a pipe or a device cannot be followed)"
               : "not a regular file or a pipe (a device, a socket or the like)";
}

void SetError(std::string* error, int number) {
    if (error != nullptr)
        *error = std::strerror(number);
}

} // namespace

StdioFile::~StdioFile() {
    Close();
}

bool StdioFile::MayWait(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool StdioFile::Open(const std::string& path, OpenMode mode, std::string* error, Watch* watch) {
    Close();
    if (mode != modeWrite) {
        // Looked at before it is opened: opening a device may act on it.
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            SetError(error, errno);
            return false;
        }
        if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
            if (error != nullptr)
                *error = NotReadable(mode);
            return false;
        }
        // Without O_NONBLOCK, opening a named pipe nobody writes to waits
        // for a writer forever; what was opened is looked at again, since
        // the name may have been given to another file meanwhile.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            SetError(error, errno);
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        try {
            return OpenForReading(fd, info, mode, error, watch);
        } catch (const std::bad_alloc&) {
            Close();
            if (error != nullptr)
                *error = "the file is too large for the memory available (" +
                         std::to_string(MemoryAvailable() >> 20) + " MiB)";
            return false;
        }
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
        // Opening a pipe nobody reads from would wait for a reader
        // forever; without one the open fails at once (ENXIO).
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENXIO && error != nullptr)
                *error = "nothing reads from the pipe";
            else
                SetError(error, errno);
            return false;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        fp_ = ::fdopen(fd, "w");
        if (fp_ == nullptr)
            ::close(fd);
    }
    if (fp_ == nullptr)
        fp_ = std::fopen(path.c_str(), "w");
    if (fp_ == nullptr) {
        SetError(error, errno);
        return false;
    }
    StartAt(mode);
    return true;
}

void StdioFile::StartAt(OpenMode mode) {
    mode_ = mode;
    pos_ = len_ = 0;
    bufferStart_ = 0;
    limit_ = -1;
    writeError_ = false;
}

bool StdioFile::OpenForReading(int fd, const struct stat& info, OpenMode mode, std::string* error,
                               Watch* watch) {
    const auto refuse = [&](const std::string& why) {
        ::close(fd);
        if (error != nullptr)
            *error = why;
        return false;
    };
    if (S_ISDIR(info.st_mode))
        return refuse(std::strerror(EISDIR));
    if (S_ISFIFO(info.st_mode) && mode == modeRead) {
        if (!ReadPipe(fd, error, watch) || !InflateIfGzip(error))
            return false;
        mode_ = mode;
        return true;
    }
    if (!S_ISREG(info.st_mode))
        return refuse(NotReadable(mode));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fp_ = ::fdopen(fd, "rb");
    if (fp_ == nullptr) {
        SetError(error, errno);
        ::close(fd);
        return false;
    }
    StartAt(mode);
    buffer_.resize(kReadBufferSize);
    // A compressed file is read whole and inflated: the readers seek.
    if (FillBuffer() && IsGzip(buffer_.data(), len_)) {
        if (mode == modeFollow) {
            Close();
            if (error != nullptr)
                *error = "a compressed file cannot grow in place: there is nothing to follow";
            return false;
        }
        return ReadCompressed(error);
    }
    pos_ = 0;
    return true;
}

namespace {

// The most a file may hold in memory whole: a quarter of the memory
// available (the model read from it needs room too), and kMaxPipeBytes at
// most; the limit in words in text.
std::size_t InMemoryLimit(std::string& text) {
    const std::uint64_t available = MemoryAvailable();
    if (available / 4 >= StdioFile::kMaxPipeBytes) {
        text = std::to_string(StdioFile::kMaxPipeBytes >> 20) +
               " MiB, the most a file read whole into memory may hold";
        return StdioFile::kMaxPipeBytes;
    }
    text = std::to_string((available / 4) >> 20) + " MiB, a quarter of the " +
           std::to_string(available >> 20) + " MiB of memory available";
    return static_cast<std::size_t>(available / 4);
}

} // namespace

bool StdioFile::TakeInflated(const Inflate& inflate, const char* what, std::string* error) {
    std::string limitText;
    const std::size_t limit = InMemoryLimit(limitText);
    std::vector<char> inflated;
    std::string why;
    bool tooLarge = false;
    const bool ok = inflate(inflated, limit, why, &tooLarge);
    if (fp_ != nullptr) {
        std::fclose(fp_);
        fp_ = nullptr;
    }
    if (!ok) {
        Close();
        if (error != nullptr)
            *error = tooLarge ? std::string(what) + " inflates to more than " + limitText : why;
        return false;
    }
    buffer_ = std::move(inflated);
    len_ = buffer_.size();
    pos_ = 0;
    bufferStart_ = 0;
    inMemory_ = true;
    compressed_ = true;
    return true;
}

bool StdioFile::ReadCompressed(std::string* error) {
    // The size the file's last bytes give: the room reserved for the text
    // (see Gunzip for how far it is believed).
    std::size_t expected = 0;
    const std::int64_t size = Size();
    char last[4];
    if (size >= 18 && ::pread(::fileno(fp_), last, 4, size - 4) == 4)
        expected = static_cast<std::size_t>(GzipSizeField(last));
    std::size_t first = len_; // the first block, already read
    const GzipSource source = [&](char* to, std::size_t room) -> std::ptrdiff_t {
        if (first > 0) {
            const std::size_t n = std::min(room, first);
            std::memcpy(to, buffer_.data() + (len_ - first), n);
            first -= n;
            return static_cast<std::ptrdiff_t>(n);
        }
        const std::size_t n = std::fread(to, 1, room, fp_);
        return n == 0 && std::ferror(fp_) != 0 ? -1 : static_cast<std::ptrdiff_t>(n);
    };
    const auto rewind = [&] {
        first = 0;
        return std::fseek(fp_, 0, SEEK_SET) == 0;
    };
    return TakeInflated(
        [&](std::vector<char>& out, std::size_t limit, std::string& why, bool* tooLarge) {
            return Gunzip(source, expected, out, limit, why, tooLarge, rewind);
        },
        "the file", error);
}

bool StdioFile::InflateIfGzip(std::string* error) {
    if (!IsGzip(buffer_))
        return true;
    return TakeInflated(
        [this](std::vector<char>& out, std::size_t limit, std::string& why, bool* tooLarge) {
            return Gunzip(buffer_, out, limit, why, tooLarge);
        },
        "the data", error);
}

bool StdioFile::ReadPipe(int fd, std::string* error, Watch* watch) {
    // The pipe is closed however this ends (a buffer that cannot grow
    // throws).
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // The pipe stays non-blocking and is waited on in short slices, so that
    // a request to stop is seen however slowly the writer writes. The first
    // bytes (or the writer's end) are waited for a while; a pipe that stays
    // silent is given up.
    constexpr int kSliceMs = 100;
    int silentMs = 0;
    bool started = false;
    std::string limitText;
    const std::size_t limit = InMemoryLimit(limitText);
    std::vector<char> bytes;
    std::vector<char> block(kReadBufferSize);
    for (;;) {
        if (watch != nullptr && watch->cancel) {
            if (error != nullptr)
                *error = kCancelled;
            return false;
        }
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, kSliceMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            SetError(error, errno);
            return false;
        }
        if (ready == 0) {
            silentMs += kSliceMs;
            if (!started && silentMs >= kPipeWaitMs) {
                if (error != nullptr)
                    *error = "nothing was written to the pipe";
                return false;
            }
            continue;
        }
        const ssize_t n = ::read(fd, block.data(), block.size());
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0) {
            SetError(error, errno);
            return false;
        }
        if (n == 0)
            break; // the writer's end
        started = true;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            if (error != nullptr)
                *error = "the pipe holds more than " + limitText;
            return false;
        }
        bytes.insert(bytes.end(), block.begin(), block.begin() + n);
        if (watch != nullptr)
            watch->bytesRead = bytes.size();
    }
    buffer_ = std::move(bytes);
    len_ = buffer_.size();
    pos_ = 0;
    bufferStart_ = 0;
    writeError_ = false;
    inMemory_ = true;
    return true;
}

bool StdioFile::Close() {
    compressed_ = false;
    if (inMemory_) {
        inMemory_ = false;
        buffer_.clear();
        buffer_.shrink_to_fit();
        pos_ = len_ = 0;
        return true;
    }
    if (fp_ == nullptr)
        return true;
    bool ok = !writeError_;
    if (mode_ == modeWrite && std::fflush(fp_) != 0)
        ok = false;
    if (std::fclose(fp_) != 0)
        ok = false;
    fp_ = nullptr;
    buffer_.clear();
    buffer_.shrink_to_fit();
    pos_ = len_ = 0;
    return ok;
}

bool StdioFile::FillBuffer() {
    if (inMemory_ || fp_ == nullptr || mode_ == modeWrite)
        return false;
    bufferStart_ += static_cast<std::int64_t>(len_);
    pos_ = 0;
    len_ = 0;
    std::size_t want = buffer_.size();
    if (limit_ >= 0)
        want = static_cast<std::size_t>(
            std::clamp<std::int64_t>(limit_ - bufferStart_, 0, static_cast<std::int64_t>(want)));
    if (want == 0)
        return false;
    // A file that grows was at its end before: the end-of-file mark would
    // keep fread from seeing what has been appended since.
    std::clearerr(fp_);
    len_ = std::fread(buffer_.data(), 1, want, fp_);
    return len_ > 0;
}

std::int64_t StdioFile::Size() const {
    if (inMemory_)
        return static_cast<std::int64_t>(len_);
    struct stat info {};
    if (fp_ == nullptr || ::fstat(::fileno(fp_), &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

void StdioFile::LimitTo(std::int64_t end) {
    limit_ = end;
    if (end < 0 || inMemory_)
        return;
    const std::int64_t bufferEnd = bufferStart_ + static_cast<std::int64_t>(len_);
    if (bufferEnd > end) {
        // The stream stands after the bytes dropped: it is put back where
        // the next block starts.
        const std::int64_t position = GetPosition();
        len_ = static_cast<std::size_t>(std::max<std::int64_t>(end - bufferStart_, 0));
        pos_ = std::min(pos_, len_);
        fseeko(fp_, static_cast<off_t>(bufferStart_ + static_cast<std::int64_t>(len_)), SEEK_SET);
        if (position > end)
            Seek(end);
    }
}

void StdioFile::UngetChar() {
    if (pos_ > 0)
        --pos_;
    else if (GetPosition() > 0)
        Seek(GetPosition() - 1);
}

bool StdioFile::Seek(std::int64_t offset) {
    if (offset < 0 || (fp_ == nullptr && !inMemory_))
        return false;
    if (inMemory_) {
        if (offset > static_cast<std::int64_t>(len_))
            return false;
        pos_ = static_cast<std::size_t>(offset);
        return true;
    }
    if (offset >= bufferStart_ && offset <= bufferStart_ + static_cast<std::int64_t>(len_)) {
        pos_ = static_cast<std::size_t>(offset - bufferStart_);
        return true;
    }
    if (fseeko(fp_, static_cast<off_t>(offset), SEEK_SET) != 0)
        return false;
    bufferStart_ = offset;
    pos_ = len_ = 0;
    return true;
}

bool StdioFile::WriteString(std::string_view text) {
    if (fp_ == nullptr || mode_ != modeWrite) {
        writeError_ = true;
        return false;
    }
    if (std::fwrite(text.data(), 1, text.size(), fp_) != text.size())
        writeError_ = true;
    return !writeError_;
}
