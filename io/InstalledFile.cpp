#include "io/InstalledFile.h"

#include <filesystem>
#include <system_error>

std::string InstalledFile(const std::string& programFolder, const std::string& installedFolder,
                          const std::string& name) {
    const std::filesystem::path folder(programFolder);
    const std::filesystem::path beside = folder / name;
    const std::filesystem::path installed = (folder / installedFolder / name).lexically_normal();
    std::error_code error;
    if (!std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error))
        return installed.string();
    return beside.string();
}
