#include "io/Gunzip.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 16;

} // namespace

bool IsGzip(const char* bytes, std::size_t size) {
    return size >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
           static_cast<unsigned char>(bytes[1]) == 0x8b;
}

std::uint64_t GzipSizeField(const char* lastFourBytes) {
    std::uint64_t size = 0;
    for (int i = 3; i >= 0; --i)
        size = (size << 8) | static_cast<unsigned char>(lastFourBytes[i]);
    return size;
}

bool Gunzip(const GzipSource& source, std::size_t expected, std::vector<char>& out,
            std::size_t limit, std::string& why, bool* tooLarge,
            const std::function<bool()>& rewind) {
    out.clear();
    if (tooLarge != nullptr)
        *tooLarge = false;
    const auto refuse = [&] {
        why = "the file inflates to more than " + std::to_string(limit) + " bytes";
        if (tooLarge != nullptr)
            *tooLarge = true;
        out.clear();
        out.shrink_to_fit();
        return false;
    };
    z_stream z{};
    if (inflateInit2(&z, 15 + 16) != Z_OK) { // 16: gzip wrapping
        why = "zlib could not start";
        return false;
    }
    // Room for one byte past the limit tells data of exactly limit bytes
    // from more. The size field is only believed as far as room reserved
    // (not yet touched): in data cut short it is whatever bytes ended up
    // last. One beyond the limit means data too large, or cut short, or
    // corrupt: which, is found by inflating it into a window that is used
    // again and again, keeping nothing.
    const bool counting = expected > limit;
    std::vector<char> window(counting ? kBlock : 0);
    if (!counting)
        out.reserve(expected + 1);
    std::vector<char> in(kBlock);
    std::size_t produced = 0;
    bool ended = false, ok = false, over = false, failed = false;
    // Reads the next block behind the bytes not yet taken (a member's first
    // byte may end one block and its second begin the next).
    const auto refill = [&] {
        const std::size_t kept = z.avail_in;
        if (kept > 0)
            std::memmove(in.data(), z.next_in, kept);
        const std::ptrdiff_t got = source(in.data() + kept, in.size() - kept);
        failed = got < 0;
        ended = got <= 0;
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in =
            static_cast<uInt>(kept + static_cast<std::size_t>(std::max<std::ptrdiff_t>(got, 0)));
    };
    // zlib's state is freed however the loop ends (a buffer that cannot
    // grow throws).
    struct End {
        z_stream& z;
        ~End() { inflateEnd(&z); }
    } end{z};
    for (;;) {
        if (z.avail_in == 0 && !ended)
            refill();
        if (failed) {
            why = "the compressed file could not be read";
            break;
        }
        if (counting && produced > limit) {
            over = true;
            break;
        }
        if (!counting && produced == out.size()) {
            if (out.size() > limit) {
                over = true;
                break;
            }
            // Into the room reserved, then (several members, more than
            // 4 GiB, a wrong size field) half as much again each time, never
            // past the limit.
            std::size_t grown = std::min(limit + 1, out.size() + out.size() / 2 + kBlock);
            if (out.size() < out.capacity())
                grown = std::min(grown, out.capacity());
            else
                out.reserve(grown);
            out.resize(grown);
        }
        char* to = counting ? window.data() : out.data() + produced;
        const std::size_t room =
            std::min<std::size_t>(counting ? window.size() : out.size() - produced, UINT_MAX);
        z.next_out = reinterpret_cast<Bytef*>(to);
        z.avail_out = static_cast<uInt>(room);
        const int result = inflate(&z, Z_NO_FLUSH);
        produced += room - z.avail_out;
        if (result == Z_STREAM_END) {
            // Another member may follow; anything else ends the data.
            while (z.avail_in < 2 && !ended)
                refill();
            if (failed) {
                why = "the compressed file could not be read";
                break;
            }
            if (z.avail_in >= 2 && z.next_in[0] == 0x1f && z.next_in[1] == 0x8b) {
                inflateReset(&z);
                continue;
            }
            ok = true;
            break;
        }
        if (result == Z_OK || (result == Z_BUF_ERROR && z.avail_in == 0 && !ended))
            continue;
        if (result == Z_BUF_ERROR && z.avail_in == 0) {
            why = "the gzip data is cut short (an unfinished download or copy?)";
            break;
        }
        why = std::string("the gzip data is corrupt") + (z.msg != nullptr ? ": " : "") +
              (z.msg != nullptr ? z.msg : "");
        break;
    }
    if (over || (ok && produced > limit))
        return refuse();
    if (ok && counting) {
        // The last bytes were no size field: the text, now known to fit, is
        // inflated again to be kept.
        if (rewind && rewind())
            return Gunzip(source, produced, out, limit, why, tooLarge);
        why = "the gzip data is corrupt: its size field does not match its data";
        ok = false;
    }
    // Not shrunk to fit: that would copy the whole file once more.
    out.resize(ok ? produced : 0);
    return ok;
}

bool Gunzip(const std::vector<char>& in, std::vector<char>& out, std::size_t limit,
            std::string& why, bool* tooLarge) {
    std::size_t at = 0;
    const auto rewind = [&at] {
        at = 0;
        return true;
    };
    const GzipSource source = [&](char* to, std::size_t room) {
        const std::size_t n = std::min(room, in.size() - at);
        std::memcpy(to, in.data() + at, n);
        at += n;
        return static_cast<std::ptrdiff_t>(n);
    };
    const std::size_t expected =
        in.size() >= 18 ? static_cast<std::size_t>(GzipSizeField(in.data() + in.size() - 4)) : 0;
    return Gunzip(source, expected, out, limit, why, tooLarge, rewind);
}
