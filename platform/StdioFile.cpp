#include "platform/StdioFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {
constexpr std::size_t kReadBufferSize = 1 << 16;
}

StdioFile::~StdioFile() {
    Close();
}

bool StdioFile::Open(const std::string& path, OpenMode mode, std::string* error) {
    Close();
    fp_ = std::fopen(path.c_str(), mode == modeRead ? "rb" : "w");
    if (fp_ == nullptr) {
        if (error != nullptr)
            *error = std::strerror(errno);
        return false;
    }
    // A folder opens for reading here but reads as nothing; refuse it as
    // Windows does.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        std::fclose(fp_);
        fp_ = nullptr;
        if (error != nullptr)
            *error = std::strerror(EISDIR);
        return false;
    }
    path_ = path;
    mode_ = mode;
    pos_ = len_ = 0;
    bufferStart_ = 0;
    writeError_ = false;
    if (mode == modeRead)
        buffer_.resize(kReadBufferSize);
    return true;
}

bool StdioFile::Close() {
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
    if (fp_ == nullptr || mode_ != modeRead)
        return false;
    bufferStart_ += static_cast<std::int64_t>(len_);
    pos_ = 0;
    len_ = std::fread(buffer_.data(), 1, buffer_.size(), fp_);
    return len_ > 0;
}

void StdioFile::UngetChar() {
    if (pos_ > 0)
        --pos_;
    else if (GetPosition() > 0)
        Seek(GetPosition() - 1);
}

bool StdioFile::Seek(std::int64_t offset) {
    if (fp_ == nullptr || offset < 0)
        return false;
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
