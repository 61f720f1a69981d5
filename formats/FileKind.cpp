#include "formats/FileKind.h"

#include "formats/FileFormat.h"
#include "model/TextScanner.h"

bool IsGzipPath(std::string_view path) {
    if (path.size() < 3)
        return false;
    return TextScanner::Lower(path.substr(path.size() - 3)) == ".gz";
}

FileKind FileKindFromPath(std::string_view path) {
    if (IsGzipPath(path))
        path.remove_suffix(3);
    if (path.size() < 3)
        return FileKind::kUnknown;
    const std::string last = TextScanner::Lower(path.substr(path.size() - 3));
    for (const FileFormat& format : FileFormats()) {
        if (format.read == nullptr)
            continue;
        for (const char* extension : format.extensions) {
            const std::string_view ending(extension);
            if (ending.size() == 3
                    ? last == ending
                    : path.size() > ending.size() && path[path.size() - ending.size() - 1] == '.' &&
                          TextScanner::Lower(path.substr(path.size() - ending.size())) == ending)
                return format.kind;
        }
    }
    return FileKind::kUnknown;
}

std::string KnownExtensions() {
    std::vector<const char*> all;
    for (const FileFormat& format : FileFormats()) {
        if (format.read != nullptr)
            all.insert(all.end(), format.extensions.begin(), format.extensions.end());
    }
    return JoinedList(all, false);
}
