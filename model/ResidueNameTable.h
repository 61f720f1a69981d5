#pragma once

#include <deque>
#include <map>
#include <string>

// Interns residue names as integer ids; each model holds its own table (see
// CMolFrame::residueNames). Ids 1 ... 22 are the amino acids (ALA ... GLX)
// in every table and are what the backbone analysis treats as residues of a
// peptide; every new name gets the next id, starting at 23. Id 0 is "NON",
// the name of an atom read from a file without residues.
class ResidueNameTable {
public:
    static constexpr int kAminoAcidCount = 22;

    ResidueNameTable();

    // The table of the amino acids alone, which every table starts with:
    // what an id below 23 names in any model.
    static const ResidueNameTable& AminoAcids();

    // Id of name, adding the name first when it is new.
    int Id(const std::string& name);
    // Name of an id, or "NON" when no name has that id.
    const std::string& Name(int id) const;
    static bool IsAminoAcid(int id) { return id >= 1 && id <= kAminoAcidCount; }

private:
    std::map<std::string, int> ids_;
    std::deque<std::string> names_; // names_[id], "NON" first. A deque keeps
                                    // returned names valid as new ones come.
};
