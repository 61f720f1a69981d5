#pragma once

#include "formats/PdbOptions.h"
#include "platform/StdioFile.h"
#include "tests/unit/TempDir.h"

#include <memory>
#include <stdexcept>
#include <string>

// Reads text, written to a temporary file exactly as given, with Reader.
template <class Reader>
std::unique_ptr<Reader> ReadText(const std::string& text, const PdbOptions& options = {}) {
    TempDir dir;
    StdioFile file;
    if (!file.Open(dir.Write("input", text), StdioFile::modeRead))
        throw std::runtime_error("cannot open the temporary file");
    return std::make_unique<Reader>(&file, &options);
}
