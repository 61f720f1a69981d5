#pragma once

#include <deque>
#include <map>
#include <string>

// Interns residue names as integer ids. Ids 1 ... 22 are the amino acids
// (ALA ... GLX) and are what the backbone analysis treats as residues of a
// peptide; every new name gets the next id, starting at 23.
class ResidueNameTable {
public:
    static constexpr int kAminoAcidCount = 22;

    ResidueNameTable();

    static ResidueNameTable& instance();

    // Id of name, adding the name first when it is new.
    int Id(const std::string& name);
    // Name of an id, or "NON" when no name has that id.
    const std::string& Name(int id) const;
    static bool IsAminoAcid(int id) { return id >= 1 && id <= kAminoAcidCount; }

private:
    std::map<std::string, int> ids_;
    std::deque<std::string> names_; // names_[id]; names_[0] unused. A deque keeps
                                    // returned names valid as new ones come.
};
