#include "formats/FileFormat.h"

#include "formats/CGauData.h"
#include "formats/CMmcifData.h"
#include "formats/CPDBData.h"
#include "formats/CubeReader.h"
#include "formats/FchkReader.h"
#include "formats/GaussianInputWriter.h"
#include "formats/GaussianLogFollower.h"
#include "formats/MoldenReader.h"
#include "formats/OrcaInputWriter.h"
#include "formats/OrcaOutputReader.h"
#include "formats/PdbWriter.h"
#include "formats/RamachandranWriter.h"
#include "formats/WholeStructureWriter.h"
#include "formats/XyzReader.h"
#include "formats/XyzWriter.h"
#include "io/StdioFile.h"
#include "model/TextScanner.h"

#include <algorithm>

namespace {

std::unique_ptr<CMolData> ReadXyzFile(StdioFile* in, const PdbOptions&) {
    return ReadXyz(in);
}

std::unique_ptr<CMolData> ReadCubeFile(StdioFile* in, const PdbOptions&) {
    return ReadCube(in);
}

std::unique_ptr<CMolData> ReadFchkFile(StdioFile* in, const PdbOptions&) {
    return ReadFchk(in);
}

std::unique_ptr<CMolData> ReadMoldenFile(StdioFile* in, const PdbOptions&) {
    return ReadMolden(in);
}

bool WriteCom(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
              const std::string& path, std::string* refusal) {
    return WriteGaussianInput(mol, what, file, path, refusal);
}

bool WriteOrcaInputFile(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                        const std::string&, std::string* refusal) {
    return WriteOrcaInput(mol, what, file, refusal);
}

bool WritePdbFull(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                  const std::string&, std::string* refusal) {
    return writePdb(mol, what, file, refusal);
}

// The short form keeps to the first geometry, as it always has.
bool WritePdbCoordinates(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                         const std::string&, std::string* refusal) {
    return writePdbShort(mol, file, refusal, what.shown);
}

bool WritePlotData(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                   const std::string&, std::string*) {
    return WriteRamachandranData(mol, what.frame, file) && !file->HasWriteError();
}

bool WriteXyzFile(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                  const std::string&, std::string* refusal) {
    return WriteXyz(mol, file, refusal, what.shown);
}

} // namespace

const std::vector<FileFormat>& FileFormats() {
    // Beside the usual endings, the names desktops give the chemical types
    // of Gaussian inputs (gau, gjc) and outputs (gal, g92 ... g03), and the
    // g09 and g16 users give outputs, so that a file the desktop hands over
    // as one of those types is read.
    static const std::vector<FileFormat> formats = {
        {"gaussian",
         FileKind::kGaussian,
         {"log", "com", "out", "gjf", "gau", "gjc", "gal", "g92", "g94", "g98", "g03", "g09",
          "g16"},
         {"chemical/x-gaussian-log", "chemical/x-gaussian-input"},
         CGauData::Read,
         nullptr,
         "Gaussian file",
         GaussianLogFollower::Start,
         {"*.log", "*.com", "*.out", "*.gjf", "*.g03", "*.g09", "*.g16"},
         {"*.log.gz", "*.out.gz"}},
        {"com",
         FileKind::kUnknown,
         {"com", "gjf"},
         {},
         nullptr,
         WriteCom,
         nullptr,
         nullptr,
         {"*.com"}},
        {"pdb",
         FileKind::kPdb,
         {"pdb", "ent"},
         {"chemical/x-pdb"},
         CPDBData::Read,
         WritePdbFull,
         "PDB file",
         nullptr,
         {"*.pdb", "*.ent"},
         {"*.pdb.gz", "*.ent.gz"}},
        {"pdb-short", FileKind::kUnknown, {}, {}, nullptr, WritePdbCoordinates},
        // Chains, author numbers, HETATM, B-factors, every model: through
        // gemmi (the "pdb" layout above keeps to ATOM records).
        {"pdb-full",
         FileKind::kUnknown,
         {},
         {},
         nullptr,
         WholeStructureWriter::WritePdb,
         nullptr,
         nullptr,
         {"*.pdb", "*.ent"}},
        {"mmcif",
         FileKind::kMmcif,
         {"cif"},
         {"chemical/x-mmcif", "chemical/x-cif"},
         CMmcifData::Read,
         WholeStructureWriter::WriteMmcif,
         "mmCIF",
         nullptr,
         {"*.cif", "*.mmcif"},
         {"*.cif.gz", "*.mmcif.gz"}},
        {"rpd",
         FileKind::kUnknown,
         {"rpd"},
         {},
         nullptr,
         WritePlotData,
         nullptr,
         nullptr,
         {"*.rpd"}},
        {"xyz",
         FileKind::kXyz,
         {"xyz"},
         {"chemical/x-xyz"},
         ReadXyzFile,
         WriteXyzFile,
         "XYZ file",
         nullptr,
         {"*.xyz"},
         {"*.xyz.gz"}},
        {"cube",
         FileKind::kCube,
         {"cube", "cub"},
         {"chemical/x-gaussian-cube"},
         ReadCubeFile,
         nullptr,
         "cube file",
         nullptr,
         {"*.cube", "*.cub"},
         {"*.cube.gz", "*.cub.gz"}},
        {"fchk",
         FileKind::kFchk,
         {"fchk", "fch"},
         {"chemical/x-gaussian-checkpoint"},
         ReadFchkFile,
         nullptr,
         "formatted checkpoint file",
         nullptr,
         {"*.fchk", "*.fch"},
         {"*.fchk.gz"}},
        // ORCA outputs have the names Gaussian's have (.out, .log); their
        // banner tells them apart (see KindOfNamedFile). No shared MIME
        // database knows a type of theirs: the desktop hands them over by
        // Gaussian's output type, and their text decides.
        {"orca",
         FileKind::kOrca,
         {},
         {"chemical/x-orca-output"},
         OrcaOutputReader::Read,
         nullptr,
         "ORCA output",
         OrcaOutputReader::Follow,
         {"*.out", "*.log"},
         {"*.out.gz", "*.log.gz"}},
        {"orca-input",
         FileKind::kUnknown,
         {"inp"},
         {},
         nullptr,
         WriteOrcaInputFile,
         nullptr,
         nullptr,
         {"*.inp"}},
        {"molden",
         FileKind::kMolden,
         {"molden", "molden.input", "molden_normal_modes"},
         {"chemical/x-molden"},
         ReadMoldenFile,
         nullptr,
         "Molden file",
         nullptr,
         {"*.molden", "*.molden.input", "*.molden_normal_modes"},
         {"*.molden.gz"}},
    };
    return formats;
}

const FileFormat* FormatReading(FileKind kind) {
    const FileFormat* format = FormatOfKind(kind);
    return format != nullptr && format->read != nullptr ? format : nullptr;
}

const FileFormat* FormatOfKind(FileKind kind) {
    for (const FileFormat& format : FileFormats()) {
        if (format.kind == kind && kind != FileKind::kUnknown)
            return &format;
    }
    return nullptr;
}

const FileFormat* FormatNamed(std::string_view name) {
    for (const FileFormat& format : FileFormats()) {
        if (name == format.name)
            return &format;
    }
    return nullptr;
}

const FileFormat* FormatSavedAs(std::string_view extension) {
    const std::string lower = TextScanner::Lower(extension);
    for (const FileFormat& format : FileFormats()) {
        if (format.write != nullptr && std::find(format.extensions.begin(), format.extensions.end(),
                                                 lower) != format.extensions.end())
            return &format;
    }
    return nullptr;
}

std::string FormatNames(bool written, bool bars) {
    std::vector<const char*> names;
    for (const FileFormat& format : FileFormats()) {
        if (written ? format.write != nullptr : format.read != nullptr)
            names.push_back(format.name);
    }
    return JoinedList(names, bars);
}

std::string JoinedList(const std::vector<const char*>& items, bool bars) {
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            list += bars ? "|" : i + 1 == items.size() ? " or " : ", ";
        list += items[i];
    }
    return list;
}

std::string MimeTypeList() {
    std::string list;
    for (const FileFormat& format : FileFormats()) {
        for (const char* type : format.mimeTypes)
            list.append(type).append(";");
    }
    return list;
}
