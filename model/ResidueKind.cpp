#include "model/ResidueKind.h"

#include <algorithm>
#include <iterator>

namespace {

// Sorted, for a binary search.
constexpr std::string_view kProtein[] = {
    "ALA", "ARG", "ASN", "ASP", "ASX", "CME", "CSO", "CSS", "CYS", "GLN", "GLU",
    "GLX", "GLY", "HID", "HIE", "HIP", "HIS", "HSD", "HSE", "HSP", "HYP", "ILE",
    "KCX", "LEU", "LLP", "LYS", "MET", "MLY", "MSE", "NLE", "OCS", "PCA", "PHE",
    "PRO", "PTR", "SEC", "SEP", "SER", "THR", "TPO", "TRP", "TYR", "UNK", "VAL"};
constexpr std::string_view kNucleic[] = {"A",  "C", "DA", "DC", "DG",  "DI", "DT",
                                         "DU", "G", "I",  "N",  "PSU", "T",  "U"};
constexpr std::string_view kWater[] = {"DOD", "H2O", "HOH", "SOL", "TIP", "TIP3", "WAT"};
// Single-atom ions and metals, by their component ids.
constexpr std::string_view kIon[] = {"AG", "AL",  "AU", "BA", "BR",  "CA", "CD", "CL",  "CO", "CS",
                                     "CU", "CU1", "F",  "FE", "FE2", "GA", "HG", "IOD", "K",  "LI",
                                     "MG", "MN",  "NA", "NI", "PB",  "PT", "RB", "SR",  "YB", "ZN"};

template <std::size_t N> bool Holds(const std::string_view (&names)[N], std::string_view name) {
    return std::binary_search(std::begin(names), std::end(names), name);
}

} // namespace

ResidueKind KindOfResidue(std::string_view name) {
    if (Holds(kProtein, name))
        return ResidueKind::kProtein;
    if (Holds(kNucleic, name))
        return ResidueKind::kNucleic;
    if (Holds(kWater, name))
        return ResidueKind::kWater;
    if (Holds(kIon, name))
        return ResidueKind::kIon;
    return ResidueKind::kOther;
}
