#include "formats/FollowedFile.h"

#include "io/StdioFile.h"

#include <algorithm>

std::string FollowedFile::ReadBytes(StdioFile* in, std::int64_t offset, std::size_t n) {
    std::string bytes;
    if (!in->Seek(offset))
        return bytes;
    std::size_t available = 0;
    for (const char* p = in->Peek(available); available > 0 && bytes.size() < n;
         p = in->Peek(available)) {
        const std::size_t take = std::min(available, n - bytes.size());
        bytes.append(p, take);
        in->Advance(take);
    }
    return bytes;
}

std::int64_t FollowedFile::CompleteEnd(StdioFile* in, std::int64_t from) {
    const std::int64_t size = in->Size();
    constexpr std::int64_t kBlock = 4096;
    for (std::int64_t end = size; end > from;) {
        const std::int64_t start = std::max(from, end - kBlock);
        const std::string block = ReadBytes(in, start, static_cast<std::size_t>(end - start));
        for (std::size_t i = block.size(); i-- > 0;) {
            const std::int64_t at = start + static_cast<std::int64_t>(i);
            if (block[i] == '\n' || (block[i] == '\r' && at + 1 < size))
                return at + 1;
        }
        end = start;
    }
    return from;
}

void FollowedFile::Remember(StdioFile* in, std::int64_t at) {
    at_ = at;
    first_ = ReadBytes(in, 0, kIdentityBytes);
    const std::size_t before = static_cast<std::size_t>(
        std::min<std::int64_t>(at, static_cast<std::int64_t>(kIdentityBytes)));
    before_ = ReadBytes(in, at - static_cast<std::int64_t>(before), before);
}

bool FollowedFile::SameFile(StdioFile* in) const {
    return in->Size() >= at_ && ReadBytes(in, 0, first_.size()) == first_ &&
           ReadBytes(in, at_ - static_cast<std::int64_t>(before_.size()), before_.size()) ==
               before_;
}

void FollowedFile::SeekToResume(StdioFile* in) const {
    in->Seek(at_);
    // An LF ended the last line read, and a CR directly after it belongs to
    // that line end.
    if (!before_.empty() && before_.back() == '\n' &&
        (before_.size() < 2 || before_[before_.size() - 2] != '\r')) {
        if (in->GetChar() != '\r')
            in->Seek(at_);
    }
}
