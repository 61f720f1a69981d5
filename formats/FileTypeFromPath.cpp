#include "formats/FileTypeFromPath.h"

#include <cctype>
#include <string>

FileType FileTypeFromPath(std::string_view path) {
    if (path.size() < 3)
        return kFileTypeUnknown;
    std::string last(path.substr(path.size() - 3));
    for (char& c : last)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (last == "log" || last == "com" || last == "out" || last == "gjf")
        return kFileTypeGaussian;
    if (last == "pdb" || last == "ent")
        return kFileTypePdb;
    return kFileTypeUnknown;
}
