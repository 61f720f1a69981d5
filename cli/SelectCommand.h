#pragma once

#include <string>
#include <vector>

// ravek-cli select FILE EXPR [--frame N] [--secondary assigned|file]: the
// atoms of geometry N (from 1; the one the viewer shows first by default)
// that the selection EXPR holds, as one JSON object: the count, their
// 0-based indices and their serial numbers. The secondary structure of
// helix, sheet and coil is the one assigned from the backbone, or the
// file's own records. Returns the exit code.
int RunSelect(const std::vector<std::string>& args);
