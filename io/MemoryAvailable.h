#pragma once

#include <cstdint>

// The bytes of memory this process may still take: the least of what the
// system has available (MemAvailable of /proc/meminfo), what is left below
// the process's address-space limit (ulimit -v, common on the login nodes of
// clusters) and what is left below its control group's limit. The largest
// number there is when none of them can be read.
std::uint64_t MemoryAvailable();
