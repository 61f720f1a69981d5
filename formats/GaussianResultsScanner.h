#pragma once

#include "model/JobResults.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// Collects what a Gaussian output prints beyond geometries and modes, one
// line at a time (so a growing output is read on from where it was): the
// excited states with their transitions and rotatory strengths, the
// thermochemistry summary, the GIAO shieldings, and the charge and spin
// tables (Mulliken, APT, ESP, Hirshfeld and CM5, natural). A job that prints
// a kind several times (every step of an optimisation, every job of a
// Link1 file) is represented by its last printing; a printing cut short
// keeps what it holds, and what it lacks is said.
class GaussianResultsScanner {
public:
    void Feed(std::string_view line);
    // The same for a line of C text: outside the blocks a line whose first
    // character can begin none (the numbers of the many table rows) is
    // passed over before its length is taken.
    void Feed(const char* line);
    // The results of the lines fed so far, the tables checked against the
    // atoms of the last geometry: a table of another length is left out
    // and said in problems, as is a block the output cut short. listed says
    // of each atom whether the tables of atoms have a row for it (Gaussian
    // leaves out dummy centres and translation vectors); a table of the
    // listed atoms' length is spread over all of them, NaN (no value) for
    // the others.
    JobResults Results(const std::vector<bool>& listed) const;
    // The same for atoms that are all listed.
    JobResults Results(int atoms) const { return Results(std::vector<bool>(atoms, true)); }

private:
    enum class Block {
        kNone,
        kExcitedStates, // between the states' header lines
        kTransitions,   // the orbital lines after a state's header
        kRotatory,      // the R(length) table
        kCharges,       // a charge (and spin) table of one of the schemes
        kHirshfeld,     // the Hirshfeld and CM5 table
        kNatural,       // the natural population summary
        kShieldings,
    };
    // A charge table being read: which scheme its first column (and its
    // second, if any) belongs to.
    struct Table {
        std::string charges, spins;
        std::vector<double> first, second;
        int linesBeforeRows = 0;
        bool rowsStarted = false;
    };

    void Restart(std::string_view trimmed);
    bool FeedLevel(std::string_view trimmed);
    bool StartBlock(std::string_view trimmed);
    bool StartTable(std::string_view trimmed);
    void FeedExcited(std::string_view trimmed);
    void FeedRotatory(std::string_view trimmed);
    void FeedTable(std::string_view trimmed);
    void FeedHirshfeld(std::string_view trimmed);
    void FeedNatural(std::string_view trimmed);
    void FeedShielding(std::string_view trimmed);
    void FeedThermochemistry(std::string_view trimmed);
    void EndTable();

    Block block_ = Block::kNone;
    std::string method_, basis_;
    bool correlated_ = false;

    // The excited states of the last set printed; the rotatory strengths
    // printed before that set, by state, and those of the table being read.
    std::vector<JobResults::ExcitedState> states_;
    std::map<int, double> setRotatory_, rotatory_;
    int rotatoryColumn_ = -1;
    // Excited-state lines of the set that could not be read.
    int unreadStateLines_ = 0;
    // Header lines seen of the table being begun (rotatory, natural).
    int headerLines_ = 0;

    Table table_;
    // Hirshfeld table: the columns of its charges, spins and CM5 charges.
    int hirshfeldCharge_ = -1, hirshfeldSpin_ = -1, hirshfeldCm5_ = -1;
    std::vector<double> hirshfeld_, hirshfeldSpins_, cm5_;
    bool natural_ = false; // the summary's rows have begun
    std::vector<double> naturalCharges_;
    // Inside the alpha or beta part of an open-shell NBO run, whose
    // summaries are not the atoms' charges.
    bool nboSpinPart_ = false;

    std::vector<JobResults::Shielding> shieldings_;
    JobResults::Thermochemistry thermochemistry_;
    bool thermochemistryStarted_ = false;

    std::map<std::string, std::vector<double>> charges_, spins_;
};
