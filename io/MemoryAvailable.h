#pragma once

#include <cstdint>

// The bytes of memory this process may still take: the least of what the
// system has available (MemAvailable of /proc/meminfo), what is left below
// the process's address-space limit (ulimit -v, common on the login nodes of
// clusters) and what is left below the limits of its control groups (the
// group it is in and those above it, cgroup v1 or v2; page cache that may be
// dropped not counted). The largest number there is when none of them can
// be read.
std::uint64_t MemoryAvailable();
