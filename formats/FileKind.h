#pragma once

#include <string>
#include <string_view>

// The reader a structure file needs.
// kByContent asks for the reader the file's first bytes call for (see
// FileKindFromContent); a read names the kind it used.
// kOrca is recognised (by name and content) but not read: its files are
// refused with a message that names their kind.
enum class FileKind {
    kGaussian,
    kPdb,
    kUnknown,
    kMmcif,
    kXyz,
    kCube,
    kFchk,
    kOrca,
    kMolden,
    kByContent
};

// The kind a file's name says: the last three characters in any case, as
// the formats list them (see FileFormats): "log", "com", "out", "gjf",
// "gau", "gjc", "gal", "g92", "g94", "g98", "g03", "g09" and "g16" for
// Gaussian files (inputs and outputs alike), "pdb" and "ent" for PDB files,
// "cif" (.cif, .mmcif) for PDBx/mmCIF files, "xyz" for XYZ files; the longer
// endings "cube", "fchk", "molden", "molden.input" and Psi4's
// "molden_normal_modes" must follow a dot
// (".cube", ".fchk", ".molden"), the short forms "cub" and "fch" are
// compared as three characters; anything else unknown. A compressed file's
// ".gz" is passed over: the name before it says.
FileKind FileKindFromPath(std::string_view path);

// The kind to read a file by, from the kind its name says and the one its
// first lines say: an ORCA output under a name Gaussian outputs have too
// (.out, .log) is an ORCA output; otherwise the name decides.
FileKind KindOfNamedFile(FileKind named, FileKind content);

// The kind the start of a file's text says, for a name that says nothing:
// a formatted checkpoint's first integer line ("Charge  I" or "Number of
// atoms  I"), a Molden file's "[Molden Format]" line, an mmCIF "data_"
// block, an ORCA output's banner ("* O   R   C   A *"), a Gaussian output's
// banner or an input's route ("#") after its Link 0 lines, a cube's three
// header lines of a count and three numbers, an XYZ file's atom count,
// comment and element row, PDB records (ATOM, HETATM, HEADER, CRYST1,
// MODEL, COMPND); unknown otherwise.
FileKind FileKindFromContent(std::string_view head);

// Whether the name ends in ".gz" (any case): the file is read through gzip.
bool IsGzipPath(std::string_view path);

// The extensions FileKindFromPath knows, as "log, com, ..., ent or cif".
std::string KnownExtensions();
