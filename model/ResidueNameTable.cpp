#include "model/ResidueNameTable.h"

ResidueNameTable::ResidueNameTable() : names_(1) {
    for (const char* name :
         {"ALA", "ILE", "LEU", "MET", "PHE", "PRO", "VAL", "ARG", "ASP", "GLU", "LYS",
          "ASN", "CYS", "GLN", "HIS", "SER", "THR", "TRP", "TYR", "GLY", "ASX", "GLX"})
        Id(name);
}

ResidueNameTable& ResidueNameTable::instance() {
    static ResidueNameTable table;
    return table;
}

int ResidueNameTable::Id(const std::string& name) {
    auto [it, added] = ids_.try_emplace(name, static_cast<int>(names_.size()));
    if (added)
        names_.push_back(name);
    return it->second;
}

const std::string& ResidueNameTable::Name(int id) const {
    static const std::string kNone = "NON";
    if (id <= 0 || id >= static_cast<int>(names_.size()))
        return kNone;
    return names_[static_cast<std::size_t>(id)];
}
