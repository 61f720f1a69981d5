#include "io/Gunzip.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

bool IsGzip(const std::vector<char>& bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
           static_cast<unsigned char>(bytes[1]) == 0x8b;
}

bool Gunzip(const std::vector<char>& in, std::vector<char>& out, std::size_t limit,
            std::string& why) {
    out.clear();
    if (in.size() > UINT_MAX) {
        why = "the compressed file is larger than 4 GiB";
        return false;
    }
    z_stream z{};
    if (inflateInit2(&z, 15 + 16) != Z_OK) { // 16: gzip wrapping
        why = "zlib could not start";
        return false;
    }
    // zlib takes a pointer to non-const input it never writes to.
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    std::size_t produced = 0;
    bool ok = false;
    const std::string tooLarge =
        "the file inflates to more than " + std::to_string(limit) + " bytes";
    for (;;) {
        // Room for one byte past the limit tells a file of exactly limit
        // bytes from a larger one.
        if (produced == out.size()) {
            if (out.size() > limit) {
                why = tooLarge;
                break;
            }
            out.resize(std::min(limit + 1, std::max<std::size_t>(out.size() * 2, 1 << 20)));
        }
        z.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        const std::size_t room = std::min<std::size_t>(out.size() - produced, UINT_MAX);
        z.avail_out = static_cast<uInt>(room);
        const int result = inflate(&z, Z_NO_FLUSH);
        produced += room - z.avail_out;
        if (result == Z_STREAM_END) {
            // Another member may follow; anything else ends the data.
            if (z.avail_in >= 2 && z.next_in[0] == 0x1f && z.next_in[1] == 0x8b) {
                inflateReset(&z);
                continue;
            }
            ok = true;
            break;
        }
        if (result == Z_OK)
            continue;
        if (result == Z_BUF_ERROR && z.avail_in == 0) {
            why = "the gzip data is cut short (an unfinished download or copy?)";
            break;
        }
        why = std::string("the gzip data is corrupt") + (z.msg != nullptr ? ": " : "") +
              (z.msg != nullptr ? z.msg : "");
        break;
    }
    inflateEnd(&z);
    if (ok && produced > limit) {
        why = tooLarge;
        ok = false;
    }
    // Not shrunk to fit: that would copy the whole file once more.
    out.resize(ok ? produced : 0);
    return ok;
}
