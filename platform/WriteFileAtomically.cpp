#include "platform/WriteFileAtomically.h"

#include "platform/StdioFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Permission bits for the finished file: the target's own when it exists,
// otherwise what a plain create would give under the current umask.
mode_t PermissionsFor(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string ResolveLink(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(StdioFile&)>& write,
                         std::string& error) {
    const std::string target = ResolveLink(path);
    std::vector<char> scratch(target.begin(), target.end());
    const char suffix[] = ".ravek-XXXXXX";
    scratch.insert(scratch.end(), suffix, suffix + sizeof suffix);
    const int fd = ::mkstemp(scratch.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string scratchPath(scratch.data());
    ::fchmod(fd, PermissionsFor(target));
    ::close(fd);

    StdioFile file;
    bool ok = file.Open(scratchPath, StdioFile::modeWrite, &error);
    if (ok) {
        errno = 0;
        const bool written = write(file);
        const bool closed = file.Close();
        if (!closed || !written) {
            error = errno != 0 ? std::strerror(errno) : "write error";
            ok = false;
        }
    }
    if (ok && std::rename(scratchPath.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok)
        std::remove(scratchPath.c_str());
    return ok;
}
