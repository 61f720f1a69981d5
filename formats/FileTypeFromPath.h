#pragma once

#include <string_view>

// Reader for a file, decided from its name.
enum FileType {
    kFileTypeGaussian = 1,
    kFileTypePdb = 2,
    kFileTypeUnknown = 5,
};

// The last three characters of path in any case: "log", "com", "out" and
// "gjf" are Gaussian files, "pdb" and "ent" PDB files, anything else unknown.
FileType FileTypeFromPath(std::string_view path);
