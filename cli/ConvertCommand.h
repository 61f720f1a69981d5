#pragma once

#include <string>
#include <vector>

// ravek-cli convert IN OUT --to com|pdb|pdb-short|rpd|xyz [reading options]
// [--frame N]: reads IN like info and writes OUT with the writer named.
// Returns the exit code.
int RunConvert(const std::vector<std::string>& args);
