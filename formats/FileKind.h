#pragma once

#include <string>
#include <string_view>

// The reader a structure file needs.
enum class FileKind { kGaussian, kPdb, kUnknown };

// The kind a file's name says: the last three characters in any case, "log",
// "com", "out" and "gjf" for Gaussian files, "pdb" and "ent" for PDB files,
// anything else unknown.
FileKind FileKindFromPath(std::string_view path);

// The extensions FileKindFromPath knows, as "log, com, out, gjf, pdb or ent".
std::string KnownExtensions();
