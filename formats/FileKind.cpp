#include "formats/FileKind.h"

#include <cctype>
#include <iterator>

namespace {

struct Extension {
    const char* text;
    FileKind kind;
};

// The one table of the extensions structure files are read by.
constexpr Extension kExtensions[] = {
    {"log", FileKind::kGaussian}, {"com", FileKind::kGaussian}, {"out", FileKind::kGaussian},
    {"gjf", FileKind::kGaussian}, {"pdb", FileKind::kPdb},      {"ent", FileKind::kPdb},
    {"cif", FileKind::kMmcif},
};

} // namespace

bool IsGzipPath(std::string_view path) {
    if (path.size() < 3)
        return false;
    const std::string_view end = path.substr(path.size() - 3);
    return end[0] == '.' && std::tolower(static_cast<unsigned char>(end[1])) == 'g' &&
           std::tolower(static_cast<unsigned char>(end[2])) == 'z';
}

FileKind FileKindFromPath(std::string_view path) {
    if (IsGzipPath(path))
        path.remove_suffix(3);
    if (path.size() < 3)
        return FileKind::kUnknown;
    std::string last(path.substr(path.size() - 3));
    for (char& c : last)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const Extension& extension : kExtensions) {
        if (last == extension.text)
            return extension.kind;
    }
    return FileKind::kUnknown;
}

std::string KnownExtensions() {
    std::string list;
    const std::size_t count = std::size(kExtensions);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            list += i + 1 == count ? " or " : ", ";
        list += kExtensions[i].text;
    }
    return list;
}
