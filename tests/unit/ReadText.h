#pragma once

#include "formats/FileFormat.h"
#include "formats/GaussianLogFollower.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "tests/unit/TempDir.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// Reads the file at path with Reader; null when it cannot be opened.
template <class Reader>
std::unique_ptr<CMolData> ReadFile(const std::string& path, const PdbOptions& options = {}) {
    StdioFile file;
    if (!file.Open(path, StdioFile::modeRead))
        return nullptr;
    return Reader::Read(&file, options);
}

// A model read with its follower kept, to read what is appended to the file.
template <class Reader> struct Followed {
    std::unique_ptr<CMolData> model;
    std::unique_ptr<LogFollower> reader;
    CMolData* operator->() const { return model.get(); }
    CMolData& operator*() const { return *model; }
};

// Reads the file at path with Reader's follower (start makes it) and keeps
// it; an empty result when the file cannot be opened.
template <class Reader>
Followed<Reader> ReadFollowed(const std::string& path,
                              FileFormat::Follower start = GaussianLogFollower::Start) {
    Followed<Reader> read;
    StdioFile file;
    if (!file.Open(path, StdioFile::modeRead))
        return read;
    read.model = std::make_unique<CMolData>();
    read.reader = start(&file, *read.model);
    return read;
}

// Reads text, written to a temporary file exactly as given, with Reader.
template <class Reader>
std::unique_ptr<CMolData> ReadText(const std::string& text, const PdbOptions& options = {}) {
    TempDir dir;
    auto mol = ReadFile<Reader>(dir.Write("input", text), options);
    if (mol == nullptr)
        throw std::runtime_error("cannot open the temporary file");
    return mol;
}

// Creates path and lets write fill it; true when the file was created, write
// succeeded and the file closed without an error.
inline bool WriteFile(const std::string& path, const std::function<bool(StdioFile*)>& write) {
    StdioFile file;
    if (!file.Open(path, StdioFile::modeWrite))
        return false;
    const bool written = write(&file);
    return file.Close() && written;
}
