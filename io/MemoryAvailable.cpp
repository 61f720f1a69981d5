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
std::uint64_t NumberIn(const std::string& path) {
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

// The value of key in a control group's memory.stat; 0 when it has none.
std::uint64_t StatValue(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string name;
    std::uint64_t value = 0;
    while (in >> name >> value) {
        if (name == key)
            return value;
    }
    return 0;
}

// What is left below the memory limits of the control group this process is
// in and of every group above it: the memory controller of cgroup v1 where
// the process has one, else the unified hierarchy of cgroup v2. Page cache
// that may be dropped (inactive files) is not counted as used.
std::uint64_t LeftInControlGroups() {
    std::ifstream in("/proc/self/cgroup");
    std::string line, unified, memory;
    bool hasMemory = false;
    while (std::getline(in, line)) {
        // "0::/path" (v2), "4:memory:/path" or "4:cpu,memory:/path" (v1).
        const std::size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        const std::string path = line.substr(second + 1);
        if (controllers == ",," && line.compare(0, first, "0") == 0)
            unified = path;
        else if (controllers.find(",memory,") != std::string::npos) {
            memory = path;
            hasMemory = true;
        }
    }
    const std::string root = hasMemory ? "/sys/fs/cgroup/memory" : "/sys/fs/cgroup";
    const std::string limitName = hasMemory ? "/memory.limit_in_bytes" : "/memory.max";
    const std::string usageName = hasMemory ? "/memory.usage_in_bytes" : "/memory.current";
    const std::string cacheKey = hasMemory ? "total_inactive_file" : "inactive_file";
    std::string path = hasMemory ? memory : unified;
    std::uint64_t left = kUnknown;
    while (!path.empty() && path.front() == '/') {
        const std::string folder = root + (path == "/" ? std::string() : path);
        const std::uint64_t limit = NumberIn(folder + limitName);
        const std::uint64_t usage = NumberIn(folder + usageName);
        if (usage != kUnknown) {
            const std::uint64_t cache = StatValue(folder + "/memory.stat", cacheKey);
            left = std::min(left, Left(limit, usage - std::min(usage, cache)));
        }
        if (path == "/")
            break;
        path = path.substr(0, path.rfind('/'));
        if (path.empty())
            path = "/";
    }
    return left;
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
    return std::min(available, LeftInControlGroups());
}
