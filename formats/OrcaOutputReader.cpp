// ORCA outputs. One pass over the lines (OrcaOutputScanner), then the model
// is brought up to what was scanned; a job still running is read on from its
// last complete line.
//
// Where the layouts of versions differ, or the output leaves it open, this
// reader decides:
// - The banner's "* O   R   C   A *" tells an ORCA output from a Gaussian
//   one under the same names (.out, .log); the version is taken from
//   "Program Version" and decides nothing: every layout below is recognised
//   by its own header or columns.
// - Every "CARTESIAN COORDINATES (ANGSTROEM)" block is a geometry: the
//   cycles of an optimisation, the final evaluation at the stationary point
//   (which repeats the last cycle's new geometry), each job of a compound
//   or multi-job input. A block counts once the blank line after its rows
//   has come; one that something else cuts short is no geometry. A symbol
//   of no element (a dummy atom, a point charge) gives element 0; a row
//   whose coordinates are no numbers gives no atom and is counted in
//   skippedLines.
// - A geometry's energy is the "FINAL SINGLE POINT ENERGY" printed after it
//   (the excited state's, in an excited-state job); its convergence the
//   "Geometry convergence" table after it: RMS and MAX gradient as the RMS
//   and maximum force, RMS and MAX step as the RMS and maximum
//   displacement; the energy change is not one of the four.
// - The normal modes belong to the geometry printed before "VIBRATIONAL
//   FREQUENCIES". Modes printed at 0.00 cm⁻¹ (ORCA lists the translations
//   and rotations among them) are left out; the others are numbered from 1
//   in the order printed, as Gaussian numbers its modes. Their
//   displacements are ORCA's normalised columns as printed. A mode whose
//   column is not printed whole (a job still running) is left out until it
//   is.
// - IR intensities: the "Int" column (km/mol) where the header has one
//   (ORCA 5 and 6), else the column after the frequency (ORCA 4 prints the
//   intensity in km/mol under the header "T**2"). Raman: the activity
//   column.
// - Excited states: the TD-DFT and CIS blocks (singlets 1, triplets 3, an
//   unrestricted run's states without a multiplicity unless a "Mult" says
//   one), numbered in order across singlets and triplets as the spectra
//   number them. A new run starts once its spectra have been printed or
//   when a block repeats a kind of states already read, so each later run
//   (every step of an excited-state optimisation) replaces the last.
//   Energies are taken from the hartree value (eV = 27.211386245988 Eh),
//   wavelengths from the printed wavenumber. Oscillator strengths come from
//   the length-form absorption spectrum, rotatory strengths (10⁻⁴⁰ cgs) from
//   the length-form CD spectrum; "spin forbidden" states have zero
//   oscillator strength and no rotatory strength. Orbitals, numbered from 0
//   by ORCA, are numbered from 1; the spin letters count only in an
//   unrestricted job (HFTyp UHF). The coefficient is the printed "c=", or
//   the square root of the weight where none is printed.
// - Charges: the last Mulliken, Löwdin and Hirshfeld tables printed, with
//   their spin populations in an open-shell job; NMR: the last shielding
//   summary. A table whose rows are not every atom of the last geometry is
//   left out and said in the results' problems.
// - Thermochemistry: temperature, pressure, the zero-point energy, ORCA's
//   "Total correction" as the thermal correction to the energy, "Total
//   thermal energy", "Total Enthalpy" and "Final Gibbs free energy" as
//   printed; the enthalpy and free energy corrections, and the energy with
//   the zero-point energy, taken from them and the printed electronic
//   energy ("G-E(el)" where printed).
// - The job ended normally with "ORCA TERMINATED NORMALLY", in error with
//   "ORCA finished by error termination" or "aborting the run"; otherwise
//   it is running.
// - Numbers are read without regard to the C library's locale.

#include "formats/OrcaOutputReader.h"

#include "formats/BohrFrame.h"
#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "model/BondPerception.h"
#include "model/CMolData.h"
#include "model/ReadLine.h"

#include <algorithm>

namespace {

// Longer than any line ORCA prints; a longer one is cut, and its rest read
// as the next line.
constexpr int kLineSize = 4096;

} // namespace

std::unique_ptr<CMolData> OrcaOutputReader::Read(StdioFile* in, const PdbOptions&) {
    auto model = std::make_unique<CMolData>();
    OrcaOutputReader reader(*model);
    reader.ReadAll(in);
    return model;
}

std::unique_ptr<LogFollower> OrcaOutputReader::Follow(StdioFile* in, CMolData& model) {
    std::unique_ptr<OrcaOutputReader> reader(new OrcaOutputReader(model));
    reader->ReadAll(in);
    return reader;
}

void OrcaOutputReader::ReadAll(StdioFile* in) {
    model_ = CMolData();
    model_.sourceKind = CMolData::SourceKind::kOrca;
    model_.vibrationState = CMolData::kVibrationNone;
    model_.inputGeometryType = CMolData::kGeometryCartesian;
    scanner_ = OrcaOutputScanner();
    const std::int64_t start = in->GetPosition();
    const std::int64_t end = FollowedFile::CompleteEnd(in, start);
    if (!in->Seek(start))
        return;
    FeedLines(in, end);
    followed_.Remember(in, end);
    TakeScan();
}

void OrcaOutputReader::FeedLines(StdioFile* in, std::int64_t end) {
    char line[kLineSize];
    in->LimitTo(end);
    for (std::int64_t at = in->GetPosition(); ReadLine(line, kLineSize, in) != nullptr;
         at = in->GetPosition())
        scanner_.Feed(line, at);
    in->LimitTo(-1);
    // The last line, not complete yet: only what it says of the job's end
    // is taken (a file that ends without a line end has ended).
    tail_ = CMolData::Termination::kRunning;
    if (in->Seek(end) && ReadLine(line, kLineSize, in) != nullptr)
        tail_ = OrcaOutputScanner::TerminationOf(line);
    scannedSize_ = in->Size();
}

LogFollower::Growth OrcaOutputReader::ReadAppended(StdioFile* in) {
    Growth growth;
    growth.readAgain = !followed_.SameFile(in);
    if (growth.readAgain || in->Size() == scannedSize_)
        return growth;
    const std::int64_t end = FollowedFile::CompleteEnd(in, followed_.ResumeAt());
    const CMolData::Termination oldTermination = model_.termination;
    followed_.SeekToResume(in);
    const std::int64_t oldResume = followed_.ResumeAt();
    FeedLines(in, end);
    followed_.Remember(in, end);
    growth.newFrames = TakeScan();
    growth.changed =
        end > oldResume || growth.newFrames > 0 || model_.termination != oldTermination;
    return growth;
}

int OrcaOutputReader::TakeScan() {
    const std::vector<OrcaOutputScanner::Geometry>& geometries = scanner_.Geometries();
    const int oldFrames = model_.frameCount;
    const BondLimits& limits = BondLimits::instance();
    for (std::size_t g = static_cast<std::size_t>(oldFrames); g < geometries.size(); ++g) {
        const OrcaOutputScanner::Geometry& geometry = geometries[g];
        std::unique_ptr<CMolFrame> frame =
            FrameFromPositions(geometry.elements, geometry.positions, 1.0);
        const int atoms = frame->atomCount;
        PerceiveFrameBonds(*frame, 0, limits);
        frame->ComputeCentre();
        model_.AppendFrame(std::move(frame));
        model_.framePositions.push_back(geometry.position);
        model_.atomCount = std::max(model_.atomCount, atoms);
        ++model_.frameCount;
    }
    model_.firstShownFrame = std::max(model_.frameCount - 1, 0);
    model_.skippedLines = scanner_.SkippedRows();
    for (int g = 0; g < model_.frameCount; ++g) {
        CMolFrame& frame = model_.Frame(g);
        frame.energy = geometries[static_cast<std::size_t>(g)].energy;
        frame.convergence = geometries[static_cast<std::size_t>(g)].convergence;
        frame.modes.clear();
    }
    model_.vibrationState = CMolData::kVibrationNone;
    const int modesAt = scanner_.ModesGeometry();
    std::vector<NormalMode> modes = scanner_.Modes();
    if (modesAt >= 0 && modesAt < model_.frameCount && !modes.empty()) {
        model_.Frame(modesAt).TakeModes(std::move(modes));
        model_.vibrationState = CMolData::kVibrationPresent;
    }
    const int revision = model_.results.revision;
    model_.results = scanner_.Results(model_.AtomCount(model_.frameCount - 1));
    model_.results.revision = revision + 1;
    model_.results.charge = scanner_.Charge();
    model_.results.multiplicity = scanner_.Multiplicity();
    model_.termination = scanner_.Termination();
    if (model_.termination == CMolData::Termination::kRunning)
        model_.termination = tail_;
    return model_.frameCount - oldFrames;
}
