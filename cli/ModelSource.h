#pragma once

#include "cli/ArgumentParser.h"
#include "formats/FileKind.h"
#include "formats/PdbOptions.h"
#include "formats/ReadMolecule.h"
#include "model/CMolData.h"

#include <memory>
#include <string>
#include <vector>

// Exit codes of the command-line tool.
enum ExitCode {
    kExitOk = 0,
    kExitNoMolecule = 1, // the file gives no molecule
    kExitUsage = 2,      // a usage error or a file that cannot be read
};

// The file a command reads and how: the options every reading command takes.
class ModelSource {
public:
    // Declares the reading options and the file path (the first plain
    // argument) to parser; they set this source as they are parsed.
    void AddTo(ArgumentParser& parser);
    // False and an error when no file was named.
    bool Complete(std::string& error) const;

    // Reads the file. Returns kExitOk with the model, or another exit code
    // after writing a one-line message to stderr.
    int Read(std::unique_ptr<CMolData>& model) const { return Take(ReadNow(), model); }
    // Reads the file as it stands, saying nothing (mode: modeRead, or
    // modeFollow for a file followed while it grows).
    MoleculeFile ReadNow(StdioFile::OpenMode mode = StdioFile::modeRead) const;
    // What Read returns for what ReadNow gave.
    int Take(MoleculeFile read, std::unique_ptr<CMolData>& model) const;

    static std::string Usage();
    // Reads each of files by its name (the kind from the name or the
    // content) into models, a null model for a file that gives no molecule.
    // kExitOk, or kExitUsage after the message of a file that cannot be read.
    static int ReadEach(const std::vector<std::string>& files,
                        std::vector<std::unique_ptr<CMolData>>& models);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool typeGiven_ = false;
    FileKind kind_ = FileKind::kUnknown;
    PdbOptions pdb_; // the settings store's defaults: CONECT off, protein bonds
};
