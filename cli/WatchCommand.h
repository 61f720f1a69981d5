#pragma once

#include <string>
#include <vector>

// ravek-cli watch FILE [reading options] [--interval MS] [--modes all|none]:
// follows a Gaussian output while its job writes it, printing one JSON line
// per geometry once its step is complete, until the job ends. Returns the
// exit code.
int RunWatch(const std::vector<std::string>& args);
