#pragma once

#include <string>
#include <vector>

// ravek-cli info FILE [reading options] [--frames all|last|none]: the model
// read from FILE as one JSON object on stdout. Returns the exit code.
int RunInfo(const std::vector<std::string>& args);
