#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ravek-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Path of name inside the folder.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes bytes, exactly as given, to name and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(File(name), std::ios::binary);
        out << bytes;
        return File(name);
    }

private:
    std::filesystem::path path_;
};
