#pragma once

#include "model/CMolData.h"
#include "model/JobResults.h"
#include "model/NormalMode.h"
#include "model/Point3D.h"
#include "model/StepConvergence.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Collects what an ORCA output prints, one complete line at a time, so that
// an output still being written is read on from where it was: every
// geometry with its step energy and convergence, the normal modes with
// their IR intensities and Raman activities, the excited states with their
// oscillator and rotatory strengths, the NMR shieldings, the Mulliken,
// Löwdin and Hirshfeld charges and spin populations, the thermochemistry,
// the charge and multiplicity, and how the job ended. A block the file has
// not finished yet counts only once it is closed. See OrcaOutputReader for
// what is decided where the layouts of versions differ.
class OrcaOutputScanner {
public:
    struct Geometry {
        std::vector<int> elements;        // 0 for a symbol of no element
        std::vector<std::string> symbols; // as printed
        std::vector<Point3D> positions;   // Å
        std::int64_t position = 0;        // where its block begins
        double energy = NormalMode::kNotPrinted;
        StepConvergence convergence;
    };

    // One line without its line end, and the byte offset it starts at.
    void Feed(std::string_view line, std::int64_t offset);

    // The geometries whose blocks are closed, in file order.
    const std::vector<Geometry>& Geometries() const { return geometries_; }
    // Rows of coordinate blocks that gave no atom.
    int SkippedRows() const { return skippedRows_; }
    // The vibrations of the last frequency job whose modes are printed
    // whole, numbered from 1 in the order printed, and the geometry they
    // belong to (-1 when there are none).
    std::vector<NormalMode> Modes() const;
    int ModesGeometry() const { return columns_.empty() ? -1 : modesGeometry_; }
    // The results, their tables checked against atoms (the last geometry's).
    JobResults Results(int atoms) const;
    CMolData::Termination Termination() const { return termination_; }
    // What a line says of the job's end, kRunning when it says nothing (for
    // the last line of a file, not yet complete).
    static CMolData::Termination TerminationOf(std::string_view line);
    // "4.2.0", "5.0.3"; empty until the banner's line is read.
    const std::string& Version() const { return version_; }
    // The charge and multiplicity of the last job's input; multiplicity 0
    // until they are printed.
    int Charge() const { return charge_; }
    int Multiplicity() const { return multiplicity_; }

private:
    enum class Block {
        kNone,
        kGeometry,
        kConvergence,
        kFrequencies,
        kNormalModes,
        kIr,
        kRaman,
        kStates,
        kAbsorption,
        kCd,
        kShieldings,
        kCharges,
        kHirshfeld,
    };
    // A table of atoms being read: rows by atom index.
    struct AtomTable {
        std::string scheme;
        bool withSpins = false;
        std::map<int, std::pair<double, double>> rows;
        bool ended = false;
    };

    bool Start(std::string_view t, std::int64_t offset);
    // Each returns false when the line ends its block (and is looked at
    // again for the start of another).
    bool FeedGeometry(std::string_view t);
    bool FeedConvergence(std::string_view t);
    bool FeedFrequencies(std::string_view t);
    bool FeedNormalModes(std::string_view t);
    bool FeedModeTable(std::string_view t, std::map<int, double>& values);
    bool FeedStates(std::string_view t);
    bool FeedSpectrum(std::string_view t, std::vector<double>& values);
    bool FeedShieldings(std::string_view t);
    bool FeedCharges(std::string_view t);
    bool FeedHirshfeld(std::string_view t);
    void FeedOutside(std::string_view t);
    void EndTable();

    Block block_ = Block::kNone;
    bool rowsSeen_ = false; // rows of the current block have begun
    int linesBeforeRows_ = 0;

    std::vector<Geometry> geometries_;
    Geometry pending_;
    int skippedRows_ = 0;

    // The frequency job: by ORCA's mode number, the frequency, the
    // displacement column (3 per atom) and the IR and Raman values.
    int modesGeometry_ = -1;
    std::map<int, double> frequencies_;
    std::map<int, std::vector<double>> columns_;
    std::vector<int> headerColumns_;
    std::map<int, double> ir_, raman_;
    int irColumn_ = 2;

    // Excited states of the last TD-DFT or CIS run, singlets and triplets
    // together in the numbering of its spectra.
    std::vector<JobResults::ExcitedState> states_;
    std::vector<double> oscillators_, rotatory_;
    int stateMultiplicity_ = 0;
    std::vector<int> multiplicitiesOfSet_;
    bool spectrumSinceStates_ = false;
    bool unrestricted_ = false;

    std::map<int, JobResults::Shielding> shieldings_;

    AtomTable table_;
    std::map<std::string, std::map<int, double>> charges_, spins_;
    std::map<std::string, bool> tableCut_;

    // The thermochemistry's printed values while its section is read.
    bool thermochemistry_ = false;
    std::map<std::string, double> thermo_;

    CMolData::Termination termination_ = CMolData::Termination::kRunning;
    std::string version_;
    int charge_ = 0, multiplicity_ = 0;
};
