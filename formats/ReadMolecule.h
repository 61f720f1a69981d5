#pragma once

#include "formats/FileKind.h"
#include "formats/LogFollower.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"

#include <memory>
#include <string>

// Reads an open file with the reader of kind (see FileFormats), nothing for
// an unknown kind. The model is returned as read, also when it holds no molecule (see
// NoMoleculeReason). A model too large for the memory there is gives
// nothing, and outOfMemory (when given) is set; the reader's allocation
// failure never goes further. follower (when given) gets the follower of a
// kind that has one (Gaussian and ORCA outputs), which reads what a running job appends to
// the returned model.
std::unique_ptr<CMolData> ReadMolecule(StdioFile* file, FileKind kind, const PdbOptions& options,
                                       bool* outOfMemory = nullptr,
                                       std::unique_ptr<LogFollower>* follower = nullptr);

// Everything reading a file by its path can give.
struct MoleculeFile {
    enum class Status {
        kMolecule,    // model holds a molecule
        kCannotOpen,  // error holds the system's reason
        kUnknownType, // the kind was unknown
        kNoMolecule,  // reason says why
        kOutOfMemory, // the model would not fit into memory
        kNotRead,     // a kind recognised but not read (kind says which)
    };
    Status status = Status::kCannotOpen;
    std::unique_ptr<CMolData> model; // with kMolecule, and as read with kNoMolecule
    // The follower of a job's output (Gaussian, ORCA), kept to read what
    // its job appends to model (see LogFollower); null for other kinds.
    std::unique_ptr<LogFollower> follower;
    NoMoleculeReason reason = NoMoleculeReason::kNone;
    std::string error;
    int skippedLines = 0;               // lines the reader could not use (see CMolData)
    bool compressed = false;            // the file was gzip data (it cannot grow in place)
    FileKind kind = FileKind::kUnknown; // the reader used (the one found by content too)
    bool byContent = false;             // the kind was looked for in the text
    // The kind the first block of the text says, whatever the reader used
    // (see FileKindFromContent).
    FileKind contentKind = FileKind::kUnknown;

    // One English sentence for what went wrong, naming path; empty with
    // kMolecule.
    std::string Describe(const std::string& path) const;
};

// Opens path in mode (modeRead or modeFollow) and reads it with the reader
// of kind (pipes included, see StdioFile); kByContent takes the reader the
// text's first block calls for.
MoleculeFile ReadMoleculeFile(const std::string& path, FileKind kind, const PdbOptions& options,
                              StdioFile::OpenMode mode = StdioFile::modeRead);
// The same for a file already opened for reading (at its start).
MoleculeFile ReadOpenedMoleculeFile(StdioFile& file, FileKind kind, const PdbOptions& options);
