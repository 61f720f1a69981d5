#include "io/MemoryAvailable.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>

namespace {

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

// The number a line of /proc/meminfo that starts with key gives, in bytes.
std::uint64_t MemInfo(const char* key) {
    std::ifstream in("/proc/meminfo");
    std::string line;
    const std::size_t length = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, length, key) == 0)
            return std::strtoull(line.c_str() + length, nullptr, 10) * 1024;
    }
    return kUnknown;
}

// The first number in a file, or kUnknown ("max" and unreadable files).
std::uint64_t NumberIn(const char* path) {
    std::ifstream in(path);
    std::string word;
    if (!(in >> word) || word.empty() || word[0] < '0' || word[0] > '9')
        return kUnknown;
    return std::strtoull(word.c_str(), nullptr, 10);
}

std::uint64_t Left(std::uint64_t limit, std::uint64_t used) {
    if (limit == kUnknown || used == kUnknown)
        return kUnknown;
    return limit > used ? limit - used : 0;
}

} // namespace

std::uint64_t MemoryAvailable() {
    std::uint64_t available = MemInfo("MemAvailable:");
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        // The process's size now: the first number of /proc/self/statm, in
        // pages.
        const std::uint64_t pages = NumberIn("/proc/self/statm");
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        const std::uint64_t used = pages == kUnknown || pageSize <= 0
                                       ? kUnknown
                                       : pages * static_cast<std::uint64_t>(pageSize);
        available = std::min(available, Left(limit.rlim_cur, used));
    }
    available = std::min(available, Left(NumberIn("/sys/fs/cgroup/memory.max"),
                                         NumberIn("/sys/fs/cgroup/memory.current")));
    return available;
}
