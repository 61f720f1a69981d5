#pragma once

#include "model/CMolFrame.h"
#include "model/JobResults.h"
#include "model/MolAtom.h"
#include "model/Point3D.h"
#include "model/ReactionPath.h"
#include "model/SecondaryRecord.h"
#include "model/ZMatrixProblem.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ResidueNameTable;
struct VolumeGrid;
struct Wavefunction;

// The molecule model: every geometry read from one structure file, as plain
// data. The readers (CGauData, CPDBData, CMmcifData, ReadXyz) fill one; the analyses
// are functions over it. Callers name a geometry index g first, then 0-based
// atom indices. Geometries may differ in their atom counts (each holds the
// rows its table had). Indices are checked: a geometry or atom that does not
// exist reads as an empty geometry or a blank atom (no bonds, element 0,
// empty label, at the origin), and writing to one changes nothing.
class CMolData {
public:
    // Values of the kind fields.
    // The reader that filled the model.
    enum class SourceKind {
        kNone = 0,
        kGaussian = 1,
        kPdb = 2,
        kXyz = 3,
        kCube = 4,
        kFchk = 5,
        kMolden = 6,
        kOrca = 7
    };
    // The layout of the file read (a PDB file for the PDB reader).
    enum class GaussianFileType { kNone = 0, kPdb = 1, kInput = 2, kOutput = 3 };
    enum VibrationState { kVibrationPresent = 3, kVibrationNone = 4 };
    enum InputGeometryType { kGeometryZMatrix = 1, kGeometryCartesian = 2 };
    // How the job of a Gaussian output ended: the last termination line, or
    // still running when none came after its last step.
    enum class Termination { kNotAnOutput, kNormal, kError, kRunning };

    CMolData() = default;
    // A model is a value: a copy holds its own geometries.
    CMolData(const CMolData& other);
    CMolData& operator=(const CMolData& other);
    CMolData(CMolData&&) noexcept = default;
    CMolData& operator=(CMolData&&) noexcept = default;
    ~CMolData();

    // The kind fields a copy describes itself with.
    struct KindFields {
        SourceKind sourceKind;
        GaussianFileType gaussianFileType;
        int gaussianVersion, vibrationState, inputGeometryType;
    };
    static constexpr KindFields kGaussianCopy = {SourceKind::kGaussian, GaussianFileType::kInput, 3,
                                                 kVibrationNone, 0};
    static constexpr KindFields kPdbCopy = {SourceKind::kPdb, GaussianFileType::kPdb, 0,
                                            kVibrationNone, 3};
    // Other's geometries and header with the kind fields of kind, as a file
    // of that kind written from other would read: no normal modes (a copy is
    // no frequency job's output). Does nothing when other is this object.
    CMolData& Assign(const CMolData& other, const KindFields& kind);

    // Geometry g, or an empty geometry when there is none such.
    CMolFrame* GetFrame(int g) { return &Frame(g); }
    const CMolFrame* GetFrame(int g) const { return &Frame(g); }
    CMolFrame& Frame(int g);
    const CMolFrame& Frame(int g) const;
    // Atom a of geometry g, or a blank atom when there is none such.
    MolAtom& Atom(int g, int a);
    const MolAtom& Atom(int g, int a) const;

    MolAtom* SetAtomPosXYZ(int g, int a, double x, double y, double z);
    Point3D GetAtomPos(int g, int a) const;
    // Coordinate k of atom a: 0-2 its position, 3-5 its displacement, else 0.
    double GetAtomCoord(int g, int a, int k) const;
    // Bonds of every geometry from distances (mode 0 or 1, see
    // PerceiveFrameBonds); returns 0, changing nothing, for another mode.
    int PerceiveBonds(int mode);
    // Distance between atoms a and b, or the length of a's displacement when
    // b < 0.
    double GetDistance(int g, int a, int b) const;
    double GetAngle(int g, int a, int b, int c) const;
    double GetDihedral(int g, int a, int b, int c, int d) const;
    // The axis about which a half turn takes +z onto the direction a→b (or
    // onto a's displacement when b < 0).
    Point3D GetBondAxis(int g, int a, int b) const;
    // Partner k of atom a, or -1.
    int GetBondedAtom(int g, int a, int k) const;
    int GetBondCount(int g, int a) const { return Atom(g, a).bondCount; }
    void SetElement(int g, int a, int element) { Atom(g, a).element = element; }
    int GetElement(int g, int a) const { return Atom(g, a).element; }
    std::string_view GetLabel(int g, int a) const { return Atom(g, a).label; }
    // What a click on the atom names: "serial label residue-name
    // residue-number" (for example "17 CA ALA1") for a PDB model, the label
    // for any other.
    std::string GetAtomDescription(int g, int a) const;
    Point3D GetCentre(int g) const { return Frame(g).centre; }
    const std::string& GetResidueName(int g, int a) const;
    int GetResidueIndex(int g, int a) const { return Atom(g, a).residueIndex; }
    // The colour of a residue name (red, green, blue in 0 ... 1).
    std::array<double, 3> GetResidueColour(const std::string& name) const;

    // The name and number of each residue, as the residue list shows it
    // ("ALA12"), by residue index.
    void AddResidueLabel(int residue, std::string label, int g);
    const std::map<int, std::string>& GetResidueLabels(int g) const {
        return Frame(g).residueLabels;
    }
    // The backbone analysis of geometry g (see ComputeBackboneAngles).
    const std::map<int, double>& GetPhiAngles(int g) const { return Frame(g).phiAngles; }
    const std::map<int, double>& GetPsiAngles(int g) const { return Frame(g).psiAngles; }
    const std::map<int, int>& GetBackboneAtoms(int g) const { return Frame(g).backboneAtoms; }

    // Whether the geometries are the steps of a job (a Gaussian output, an
    // XYZ trajectory), whose energies and convergence a chart may show.
    bool HasSteps() const;

    // The elements of the atoms the results belong to (the last geometry's).
    std::vector<int> ResultElements() const;

    // Atoms of geometry g; 0 for a geometry that does not exist.
    int AtomCount(int g) const;
    // Whether atom a of geometry g exists.
    bool HasAtom(int g, int a) const { return a >= 0 && a < AtomCount(g); }

    // Building a model, for the readers.
    // Creates count geometries, geometry g with rows[g] atom records when
    // rows has an entry for it, else atomCount; shows the last one.
    void AllocateFrames(int count, const std::vector<int>& rows);
    // Appends a geometry.
    void AppendFrame(std::unique_ptr<CMolFrame> frame);
    // Keeps the first count geometries (and their file positions); the
    // one shown first stays among them.
    void KeepFrames(int count);
    // Keeps geometry g alone (nothing changes when there is none such); it
    // becomes geometry 0, the one shown first.
    void KeepOnlyFrame(int g);
    // After reading: drops the geometries that hold no atom (with their file
    // positions), sets atomCount to the largest geometry and shows the last.
    void DropEmptyFrames();
    // Bounding-box centre of every geometry.
    void ComputeCentres();

    int frameCount = 0;
    // Atoms of the largest geometry (AtomCount(g) gives each one's own).
    int atomCount = 0;
    // The geometry a document shows first (the last step of an output, the
    // first model of an ensemble); which one it shows later is its own.
    int firstShownFrame = 0;
    int bondsFromFile = 0;
    SourceKind sourceKind = SourceKind::kNone;
    GaussianFileType gaussianFileType = GaussianFileType::kNone;
    int gaussianVersion = 0;
    int vibrationState = 0;
    int inputGeometryType = 0;
    std::int64_t vibrationPosition = 0;
    // Lines that looked like atom rows or records but did not hold the
    // numbers their format needs; they give no atom.
    int skippedLines = 0;
    // Models of a structure file that holds several (MODEL records, model
    // numbers): each one a geometry when all hold the same atoms, else only
    // the first is read (frameCount 1). 0 for files without models.
    int fileModels = 0;
    // The helices and strands the file's own records name, in file order.
    std::vector<SecondaryRecord> secondaryRecords;
    // Why a file could not be parsed as its format at all (the mmCIF
    // parser's message); empty when it could.
    std::string formatProblem;
    // The file gives its atoms' positions as fractions of a crystal's cell
    // only (a small-molecule CIF), which are not read.
    bool onlyFractionalCoordinates = false;
    Termination termination = Termination::kNotAnOutput;
    // A Gaussian input whose Z-matrix gave no coordinates: why and where.
    ZMatrixProblem zMatrixProblem;
    // Byte offset at which the coordinate block of each geometry starts.
    std::vector<std::int64_t> framePositions;
    // Values on grids the file holds (a cube file's), and the orbitals and
    // densities a formatted checkpoint file holds; shared, never changed
    // once read, so copies of a model share them.
    std::vector<std::shared_ptr<const VolumeGrid>> volumes;
    std::shared_ptr<const Wavefunction> wavefunction;
    // Why the orbitals of a file that gave a molecule could not be read;
    // empty when they were or the file has none.
    std::string wavefunctionProblem;
    // Why the normal modes a file holds could not be read (a Molden file's
    // vibrations that do not fit together); empty when they were or it has
    // none.
    std::string modesProblem;
    // The excited states, thermochemistry, shieldings, charges and spin
    // densities of the job (charges and spins for the last geometry).
    JobResults results;
    // The points of the scan or IRC the job ran, over its geometries; empty
    // for any other job.
    ReactionPath path;

private:
    // Gives frame the table of residue names the model's geometries share,
    // entering the names of a table of its own into it first.
    void AdoptResidueNames(CMolFrame& frame);

    std::vector<std::unique_ptr<CMolFrame>> frames_;
    // The residue names of every geometry (see CMolFrame::residueNames).
    std::shared_ptr<ResidueNameTable> residueNames_;
    CMolFrame noFrame_{0}; // what an index out of range is written to
    MolAtom noAtom_;
};
