#include "formats/FileKind.h"
#include "model/TextScanner.h"

#include <cctype>
#include <iterator>

namespace {

struct Extension {
    const char* text;
    FileKind kind;
};

// The one table of the extensions structure files are read by. Beside the
// usual ones, the names desktops give the chemical types of Gaussian inputs
// (gau, gjc) and outputs (gal, g92 ... g03), so that a file the desktop hands
// over as one of those types is read.
constexpr Extension kExtensions[] = {
    {"log", FileKind::kGaussian}, {"com", FileKind::kGaussian}, {"out", FileKind::kGaussian},
    {"gjf", FileKind::kGaussian}, {"gau", FileKind::kGaussian}, {"gjc", FileKind::kGaussian},
    {"gal", FileKind::kGaussian}, {"g92", FileKind::kGaussian}, {"g94", FileKind::kGaussian},
    {"g98", FileKind::kGaussian}, {"g03", FileKind::kGaussian}, {"pdb", FileKind::kPdb},
    {"ent", FileKind::kPdb},      {"cif", FileKind::kMmcif},
};

} // namespace

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
