#include "io/WriteFileAtomically.h"

#include "io/ScratchFiles.h"
#include "io/StdioFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The file a symbolic link names, through links to links, whether or not
// that file exists yet: writing through a link that names a file still to
// be made makes that file, and keeps the link. path itself when it is no
// link; empty (with errno set) for a loop of links.
std::string ResolveLink(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        // The system follows it (the links of /proc/self/fd among them).
        const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
        return ec ? path : target.string();
    }
    // A link to a file still to be made: followed name by name.
    std::filesystem::path at = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (!std::filesystem::is_symlink(at, ec))
            return at.string();
        const std::filesystem::path next = std::filesystem::read_symlink(at, ec);
        if (ec) {
            // Never taken for the file: writing there would replace the link.
            errno = ec.value();
            return {};
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    errno = ELOOP;
    return {};
}

// The scratch file's name pattern beside target: hidden, and ending in
// ".tmp", so that one left behind by a killed run is never taken for a
// structure or picture file. A name that would be too long for the folder
// falls back to the bare pattern.
std::string ScratchTemplate(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    const std::string suffix = ".ravek-XXXXXX.tmp";
    std::string name = "." + target.filename().string() + suffix;
    if (static_cast<long>(name.size()) > longest)
        name = suffix;
    return (folder / name).string();
}

// Writes straight into a target that is not a regular file (a device, a
// pipe, a terminal): there is nothing to keep, and replacing it would turn
// it into a plain file.
bool WriteInPlace(const std::string& target, const std::function<bool(StdioFile&)>& write,
                  std::string& error) {
    StdioFile file;
    if (!file.Open(target, StdioFile::modeWrite, &error))
        return false;
    errno = 0;
    const bool written = write(file);
    const bool closed = file.Close();
    if (written && closed)
        return true;
    error = errno != 0 ? std::strerror(errno) : "write error";
    return false;
}

// Flushes what the system holds of path to the disk.
bool Sync(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

using Produce = std::function<bool(const std::string&, std::string&)>;

// The scratch file beside target, with the permissions (and owner) the
// finished file is to have, filled by produce, flushed and put in target's
// place; removed on any failure.
bool ReplaceRegularFile(const std::string& target, const struct stat* existing,
                        const Produce& produce, std::string& error) {
    const std::string pattern = ScratchTemplate(target);
    std::vector<char> scratch(pattern.begin(), pattern.end());
    scratch.push_back('\0');
    const int fd = ::mkstemps(scratch.data(), 4);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string scratchPath(scratch.data());
    // Gone too when the process is ended by a signal while it is written.
    const ScratchFiles::Guard guard(scratchPath);
    // The finished file takes the old one's permissions and, where this
    // process may give it away, its owner; a new file those of a plain
    // create under the current umask.
    if (existing != nullptr) {
        ::fchmod(fd, existing->st_mode & 07777);
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            // Not permitted for other users' files: the writer keeps it.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    ::close(fd);

    bool ok = produce(scratchPath, error);
    // On the disk before it takes the old file's name, so that a crash of
    // the system leaves the old file or the new one, never an empty one.
    if (ok && !Sync(scratchPath)) {
        error = std::strerror(errno);
        ok = false;
    }
    if (ok && std::rename(scratchPath.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok)
        std::remove(scratchPath.c_str());
    return ok;
}

// path's target (a link followed) replaced through a scratch file filled by
// produce; a folder refused; a target that exists and is no regular file
// handed to inPlace, or refused without one.
bool Replace(const std::string& path, const Produce& produce,
             const std::function<bool(const std::string&)>& inPlace, std::string& error) {
    const std::string target = ResolveLink(path);
    if (target.empty()) {
        error = std::strerror(errno);
        return false;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        if (inPlace)
            return inPlace(target);
        error = "not a regular file";
        return false;
    }
    return ReplaceRegularFile(target, exists ? &existing : nullptr, produce, error);
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(StdioFile&)>& write,
                         std::string& error) {
    const auto produce = [&write](const std::string& scratchPath, std::string& why) {
        StdioFile file;
        if (!file.Open(scratchPath, StdioFile::modeWrite, &why))
            return false;
        errno = 0;
        const bool written = write(file);
        const bool closed = file.Close();
        if (!closed || !written) {
            why = errno != 0 ? std::strerror(errno) : "write error";
            return false;
        }
        return true;
    };
    const auto inPlace = [&write, &error](const std::string& target) {
        return WriteInPlace(target, write, error);
    };
    return Replace(path, produce, inPlace, error);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    return WriteFileAtomically(
        path, [bytes](StdioFile& file) { return file.WriteString(bytes); }, error);
}

bool ProduceFileAtomically(const std::string& path, const Produce& produce, std::string& error) {
    return Replace(path, produce, nullptr, error);
}
