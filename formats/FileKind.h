#pragma once

#include <string>
#include <string_view>

// The reader a structure file needs.
enum class FileKind { kGaussian, kPdb, kUnknown, kMmcif, kXyz, kCube, kFchk };

// The kind a file's name says: the last three characters in any case, as
// the formats read list them (see FileFormats): "log", "com", "out", "gjf",
// "gau", "gjc", "gal", "g92", "g94", "g98" and "g03" for Gaussian files
// (inputs and outputs alike), "pdb" and "ent" for PDB files, "cif" (.cif,
// .mmcif) for PDBx/mmCIF files, "xyz" for XYZ files; the longer endings
// "cube" and "fchk" must follow a dot (".cube", ".fchk"), their short forms
// "cub" and "fch" are compared as three characters; anything else unknown.
// A compressed file's ".gz" is passed over: the name before it says.
FileKind FileKindFromPath(std::string_view path);

// Whether the name ends in ".gz" (any case): the file is read through gzip.
bool IsGzipPath(std::string_view path);

// The extensions FileKindFromPath knows, as "log, com, ..., ent or cif".
std::string KnownExtensions();
