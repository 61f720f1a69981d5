#include "model/ResidueNameTable.h"

ResidueNameTable::ResidueNameTable() : names_(1, "NON") {
    ids_.emplace("NON", 0);
    for (const char* name :
         {"ALA", "ILE", "LEU", "MET", "PHE", "PRO", "VAL", "ARG", "ASP", "GLU", "LYS",
          "ASN", "CYS", "GLN", "HIS", "SER", "THR", "TRP", "TYR", "GLY", "ASX", "GLX"})
        Id(name);
}

const ResidueNameTable& ResidueNameTable::AminoAcids() {
    static const ResidueNameTable table;
    return table;
}

int ResidueNameTable::Id(const std::string& name) {
    auto [it, added] = ids_.try_emplace(name, static_cast<int>(names_.size()));
    if (added)
        names_.push_back(name);
    return it->second;
}

const std::string& ResidueNameTable::Name(int id) const {
    if (id <= 0 || id >= static_cast<int>(names_.size()))
        return names_.front();
    return names_[static_cast<std::size_t>(id)];
}
