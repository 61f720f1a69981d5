#include "render/Representation.h"

#include <iterator>

namespace {

constexpr const char* kStyleWords[] = {"wire",   "sticks",  "ballstick", "spheres",
                                       "ribbon", "cartoon", "labels"};
constexpr const char* kColouringWords[] = {"element", "element-bonds", "residue",
                                           "chain",   "secondary",     "bfactor",
                                           "rainbow", "value",         "fixed"};

template <typename Enum, std::size_t N>
bool OfWord(const char* const (&words)[N], const std::string& word, Enum& value) {
    for (std::size_t k = 0; k < N; ++k) {
        if (word == words[k]) {
            value = static_cast<Enum>(k);
            return true;
        }
    }
    return false;
}

} // namespace

const char* Representation::StyleWord(Style style) {
    return kStyleWords[static_cast<std::size_t>(style)];
}

bool Representation::StyleOfWord(const std::string& word, Style& style) {
    // The words other viewers' users type for the same styles.
    if (word == "lines" || word == "wireframe")
        return OfWord(kStyleWords, "wire", style);
    if (word == "stick" || word == "licorice")
        return OfWord(kStyleWords, "sticks", style);
    if (word == "ball" || word == "balls" || word == "ball-and-stick")
        return OfWord(kStyleWords, "ballstick", style);
    if (word == "sphere" || word == "spacefill")
        return OfWord(kStyleWords, "spheres", style);
    if (word == "label")
        return OfWord(kStyleWords, "labels", style);
    return OfWord(kStyleWords, word, style);
}

const char* Representation::ColouringWord(Colouring colouring) {
    return kColouringWords[static_cast<std::size_t>(colouring)];
}

bool Representation::ColouringOfWord(const std::string& word, Colouring& colouring) {
    static_assert(std::size(kColouringWords) == static_cast<std::size_t>(Colouring::kFixed) + 1);
    static_assert(std::size(kStyleWords) == static_cast<std::size_t>(Style::kLabels) + 1);
    if (word == "ss")
        return OfWord(kColouringWords, "secondary", colouring);
    if (word == "b")
        return OfWord(kColouringWords, "bfactor", colouring);
    return OfWord(kColouringWords, word, colouring);
}
