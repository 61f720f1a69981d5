#pragma once

#include <string>
#include <vector>

// ravek-cli cube FILE --orbital homo|lumo|N|density|spin [--beta]
// [--spacing S] [--margin M] [--like REF.cube] -o OUT.cube: evaluates an
// orbital or a density of a formatted checkpoint file on a grid (spacing
// and margin in bohr, or exactly REF.cube's grid) and writes it as a cube
// file. Returns the exit code.
int RunCube(const std::vector<std::string>& args);
