#include "io/StdioFile.h"

#include "io/Gunzip.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadBufferSize = 1 << 16;

void SetError(std::string* error, int number) {
    if (error != nullptr)
        *error = std::strerror(number);
}

} // namespace

StdioFile::~StdioFile() {
    Close();
}

bool StdioFile::Open(const std::string& path, OpenMode mode, std::string* error) {
    Close();
    if (mode == modeRead) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            SetError(error, errno);
            return false;
        }
        if (S_ISDIR(info.st_mode)) {
            SetError(error, EISDIR);
            return false;
        }
        if (S_ISFIFO(info.st_mode)) {
            if (!ReadPipe(path, error) || !InflateIfGzip(error))
                return false;
            mode_ = mode;
            return true;
        }
        if (!S_ISREG(info.st_mode)) {
            if (error != nullptr)
                *error = "not a regular file or a pipe (a device, a socket or the like)";
            return false;
        }
    }
    if (mode == modeWrite) {
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
    }
    if (fp_ == nullptr)
        fp_ = std::fopen(path.c_str(), mode == modeRead ? "rb" : "w");
    if (fp_ == nullptr) {
        SetError(error, errno);
        return false;
    }
    mode_ = mode;
    pos_ = len_ = 0;
    bufferStart_ = 0;
    limit_ = -1;
    writeError_ = false;
    if (mode == modeRead) {
        buffer_.resize(kReadBufferSize);
        // A compressed file is read whole and inflated: the readers seek.
        if (FillBuffer() &&
            IsGzip({buffer_.begin(), buffer_.begin() + std::min<std::size_t>(len_, 2)}))
            return ReadCompressed(error);
        pos_ = 0;
    }
    return true;
}

bool StdioFile::ReadCompressed(std::string* error) {
    std::vector<char> bytes(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(len_));
    for (std::size_t n = 0; (n = std::fread(buffer_.data(), 1, buffer_.size(), fp_)) > 0;) {
        if (bytes.size() + n > kMaxPipeBytes) {
            Close();
            if (error != nullptr)
                *error = "the compressed file is larger than 2 GiB";
            return false;
        }
        bytes.insert(bytes.end(), buffer_.begin(),
                     buffer_.begin() + static_cast<std::ptrdiff_t>(n));
    }
    const bool readError = std::ferror(fp_) != 0;
    std::fclose(fp_);
    fp_ = nullptr;
    if (readError) {
        buffer_.clear();
        SetError(error, EIO);
        return false;
    }
    buffer_ = std::move(bytes);
    len_ = buffer_.size();
    inMemory_ = true;
    return InflateIfGzip(error);
}

bool StdioFile::InflateIfGzip(std::string* error) {
    if (!IsGzip(buffer_))
        return true;
    std::vector<char> inflated;
    std::string why;
    if (!Gunzip(buffer_, inflated, kMaxPipeBytes, why)) {
        Close();
        if (error != nullptr)
            *error = why;
        return false;
    }
    buffer_ = std::move(inflated);
    len_ = buffer_.size();
    pos_ = 0;
    bufferStart_ = 0;
    return true;
}

bool StdioFile::ReadPipe(const std::string& path, std::string* error) {
    // Without O_NONBLOCK, opening a named pipe nobody writes to waits for a
    // writer forever. With it the open returns at once; then the first bytes
    // (or the writer's end) are waited for a while, and a pipe that stays
    // silent is given up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, errno);
        return false;
    }
    pollfd waiting{fd, POLLIN, 0};
    int ready = 0;
    do
        ready = ::poll(&waiting, 1, kPipeWaitMs);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        const int number = errno;
        ::close(fd);
        if (ready == 0 && error != nullptr)
            *error = "nothing was written to the pipe";
        else
            SetError(error, number);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::vector<char> bytes;
    std::vector<char> block(kReadBufferSize);
    for (;;) {
        const ssize_t n = ::read(fd, block.data(), block.size());
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int number = errno;
            ::close(fd);
            SetError(error, number);
            return false;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxPipeBytes) {
            ::close(fd);
            if (error != nullptr)
                *error = "the pipe holds more than 2 GiB";
            return false;
        }
        bytes.insert(bytes.end(), block.begin(), block.begin() + n);
    }
    ::close(fd);
    buffer_ = std::move(bytes);
    len_ = buffer_.size();
    pos_ = 0;
    bufferStart_ = 0;
    writeError_ = false;
    inMemory_ = true;
    return true;
}

bool StdioFile::Close() {
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
    if (inMemory_ || fp_ == nullptr || mode_ != modeRead)
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
