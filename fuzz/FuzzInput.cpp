#include "fuzz/FuzzInput.h"

#include "formats/GaussianInputWriter.h"
#include "formats/PdbWriter.h"
#include "formats/RamachandranWriter.h"
#include "formats/WrittenGeometry.h"
#include "model/BackboneAngles.h"
#include "model/CMolData.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

std::string ScratchPath(const std::string& suffix) {
    std::error_code error;
    std::filesystem::path dir = "/dev/shm";
    if (!std::filesystem::is_directory(dir, error))
        dir = std::filesystem::temp_directory_path();
    return (dir / ("ravek-fuzz-" + std::to_string(getpid()) + suffix)).string();
}

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size) : path_(ScratchPath("")) {
    std::FILE* out = std::fopen(path_.c_str(), "wb");
    if (out == nullptr)
        return;
    written_ = std::fwrite(data, 1, size, out) == size;
    written_ = std::fclose(out) == 0 && written_;
}

FuzzInput::~FuzzInput() {
    file_.Close();
    std::remove(path_.c_str());
}

StdioFile* FuzzInput::Open() {
    if (!written_ || !file_.Open(path_, StdioFile::modeRead))
        return nullptr;
    return &file_;
}

void WriteEverything(const CMolData& mol, int g, const ResidueVisibility* shown) {
    StdioFile sink;
    if (!sink.Open("/dev/null", StdioFile::modeWrite))
        return;
    WrittenGeometry what(g);
    what.shown = shown;
    WriteGaussianInput(mol, what, &sink, "/tmp/fuzz.com");
    writePdb(mol, what, &sink);
    writePdbShort(mol, &sink, nullptr, shown);
    WriteRamachandranData(mol, g, &sink);
    WriteRamachandranLines(mol, g, &sink);
}

void CheckPdbModel(CMolData& mol) {
    for (int g = 0; g < mol.frameCount; ++g) {
        CMolFrame& frame = *mol.GetFrame(g);
        std::size_t inResidues = 0;
        for (const auto& entry : frame.residueAtoms)
            inResidues += entry.second.size();
        if (inResidues != static_cast<std::size_t>(frame.atomCount) ||
            frame.residueCount != static_cast<int>(frame.residueLabels.size()) ||
            frame.atomCount > mol.atomCount)
            std::abort();
        for (int a = 0; a < frame.atomCount; ++a) {
            for (int k = 0; k < 3; ++k) {
                if (!std::isfinite(mol.GetAtomCoord(g, a, k)))
                    std::abort();
            }
            for (int k = 0; k < mol.GetBondCount(g, a) && k < MolAtom::kMaxBonds; ++k) {
                const int b = mol.GetBondedAtom(g, a, k);
                if (b < 0 || b >= frame.atomCount)
                    std::abort();
            }
            if (mol.GetAtomDescription(g, a).empty())
                std::abort();
        }
        ComputeBackboneAngles(mol, g);
        for (const auto& [k, atom] : mol.GetBackboneAtoms(g)) {
            if (atom < 0 || atom >= frame.atomCount)
                std::abort();
        }
    }
    for (int g = 0; g < mol.frameCount; ++g) {
        for (int mode = 0; mode < 3; ++mode) {
            const ResidueVisibility shown({0, mol.GetFrame(g)->residueCount - 1}, mode);
            if (shown.CountShown(mol, g) > mol.AtomCount(g))
                std::abort();
            WriteEverything(mol, g, &shown);
        }
    }
}
