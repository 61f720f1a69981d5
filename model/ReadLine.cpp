#include "model/ReadLine.h"

#include "io/StdioFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// First CR or LF among n bytes, or nullptr. memchr is far faster than a loop
// over single characters, and lines are short.
const char* FindLineEnd(const char* p, std::size_t n) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', n));
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', lf != nullptr ? lf - p : n));
    return cr != nullptr ? cr : lf;
}

} // namespace

char* ReadLine(char* buffer, int size, StdioFile* in) {
    if (size <= 0)
        return nullptr;
    const std::size_t room = static_cast<std::size_t>(size) - 1;
    std::size_t stored = 0;
    bool readAnything = false;
    while (stored < room) {
        std::size_t available = 0;
        const char* bytes = in->Peek(available);
        if (available == 0)
            break; // end of file
        readAnything = true;
        const std::size_t span = std::min(available, room - stored);
        const char* end = FindLineEnd(bytes, span);
        const std::size_t n = end != nullptr ? static_cast<std::size_t>(end - bytes) : span;
        std::memcpy(buffer + stored, bytes, n);
        stored += n;
        in->Advance(n);
        if (end == nullptr)
            continue;
        // A line end: one CR or LF of the other kind directly after it is
        // part of it; anything else is left for the next call.
        const int c = in->GetChar();
        const int next = in->GetChar();
        const int partner = c == '\r' ? '\n' : '\r';
        if (next != EOF && next != partner)
            in->UngetChar();
        break;
    }
    buffer[stored] = '\0';
    return readAnything ? buffer : nullptr;
}
