#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Whether bytes start as gzip data does (its two magic bytes).
bool IsGzip(const std::vector<char>& bytes);

// Inflates gzip data whole (one member, or several written one after the
// other as gzip allows) into out. False, with the reason in why, when the data
// is cut short or corrupt, or would inflate to more than limit bytes.
bool Gunzip(const std::vector<char>& in, std::vector<char>& out, std::size_t limit,
            std::string& why);
