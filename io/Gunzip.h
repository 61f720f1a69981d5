#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Whether bytes start as gzip data does (its two magic bytes).
bool IsGzip(const char* bytes, std::size_t size);
inline bool IsGzip(const std::vector<char>& bytes) {
    return IsGzip(bytes.data(), bytes.size());
}

// What the last four bytes of gzip data say its last member inflates to
// (modulo 4 GiB): the whole data's size for a file of one member below
// 4 GiB, anything at all for data cut short.
std::uint64_t GzipSizeField(const char* lastFourBytes);

// Gives the next bytes of compressed data into to (at most room of them):
// how many, 0 at the end, -1 when reading failed.
using GzipSource = std::function<std::ptrdiff_t(char* to, std::size_t room)>;

// Inflates gzip data read from source (one member, or several written one
// after the other as gzip allows) into out, with room for expected bytes
// reserved at once (the size field, when the caller knows it), so that the
// text is not copied as it grows. False, with the reason in why, when the
// data is cut short or corrupt, or would inflate to more than limit bytes:
// then tooLarge, when given, is set, and no more than limit bytes and one
// compressed block were ever held. A size field beyond the limit is
// believed until the data ends within it (bytes after the data, say): then
// rewind, when given, starts the source again and the text is inflated
// anew.
bool Gunzip(const GzipSource& source, std::size_t expected, std::vector<char>& out,
            std::size_t limit, std::string& why, bool* tooLarge = nullptr,
            const std::function<bool()>& rewind = nullptr);

// The same for compressed bytes in memory.
bool Gunzip(const std::vector<char>& in, std::vector<char>& out, std::size_t limit,
            std::string& why, bool* tooLarge = nullptr);
