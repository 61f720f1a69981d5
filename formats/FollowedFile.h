#pragma once

#include <cstdint>
#include <string>

class StdioFile;

// An output file that a running job is still writing, as a reader that goes
// on reading it sees it: where its complete lines end, and whether a later
// look still finds the same file (one that has not shrunk and still holds
// the bytes read at its start and just before the point reading goes on
// from; a new job writing to the same name prints another process id, time
// or host).
class FollowedFile {
public:
    // Reads n bytes from offset; fewer at the end of the file.
    static std::string ReadBytes(StdioFile* in, std::int64_t offset, std::size_t n);
    // The offset after the last complete line at or after from: after its
    // LF, or after a CR that another byte follows (a CR at the very end may
    // still get its LF). from when no line after it is complete yet.
    static std::int64_t CompleteEnd(StdioFile* in, std::int64_t from);

    // Remembers in's first bytes and those before at, where reading goes on.
    void Remember(StdioFile* in, std::int64_t at);
    // Whether in is still the file remembered.
    bool SameFile(StdioFile* in) const;
    // Seeks in to where reading goes on: past a CR that belongs to the line
    // end before it (an LF CR pair).
    void SeekToResume(StdioFile* in) const;
    std::int64_t ResumeAt() const { return at_; }

private:
    static constexpr std::size_t kIdentityBytes = 256;
    std::string first_, before_;
    std::int64_t at_ = 0;
};
