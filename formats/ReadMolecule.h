#pragma once

#include "formats/FileTypeFromPath.h"
#include "formats/PdbOptions.h"
#include "model/CMolData.h"

#include <memory>

class StdioFile;

// Reads an open file with the reader of type: a CGauData for Gaussian files,
// a CPDBData for PDB files, nothing for an unknown type. The model is
// returned as read, also when it holds no molecule (see NoMoleculeReason).
std::unique_ptr<CMolData> ReadMolecule(StdioFile* file, FileType type, const PdbOptions& options);
