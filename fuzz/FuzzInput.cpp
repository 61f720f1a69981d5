#include "fuzz/FuzzInput.h"

#include "formats/GaussianInputWriter.h"
#include "formats/PdbWriter.h"
#include "formats/RamachandranWriter.h"
#include "model/CMolData.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

std::string ScratchPath() {
    std::error_code error;
    std::filesystem::path dir = "/dev/shm";
    if (!std::filesystem::is_directory(dir, error))
        dir = std::filesystem::temp_directory_path();
    return (dir / ("ravek-fuzz-" + std::to_string(getpid()))).string();
}

} // namespace

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size) : path_(ScratchPath()) {
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

void WriteEverything(CMolData& mol) {
    StdioFile sink;
    if (!sink.Open("/dev/null", StdioFile::modeWrite))
        return;
    WriteGaussianInput(mol, &sink, "/tmp/fuzz.com");
    writePdb(mol, &sink);
    writePdbShort(mol, &sink);
    mol.WriteRamachandranData(&sink);
    WriteRamachandranLines(mol, &sink);
}
