#pragma once

#include "model/CMolFrame.h"
#include "model/MolAtom.h"
#include "model/Point3D.h"
#include "model/ZMatrixProblem.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class StdioFile;

// The molecule model: every geometry read from one structure file. Abstract;
// the Gaussian and PDB readers fill it. Callers name a geometry index g first,
// then 0-based atom indices. Geometries may differ in their atom counts (each
// holds the rows its table had). Indices are checked: a geometry or atom that
// does not exist reads as an empty geometry or a blank atom (no bonds, element
// 0, empty label, at the origin), and writing to one changes nothing.
class CMolData {
public:
    // Values of the kind fields.
    // The reader that filled the model.
    enum class SourceKind { kNone = 0, kGaussian = 1, kPdb = 2 };
    // The layout of the file read (a PDB file for the PDB reader).
    enum class GaussianFileType { kNone = 0, kPdb = 1, kInput = 2, kOutput = 3 };
    enum VibrationState { kVibrationPresent = 3, kVibrationNone = 4 };
    enum InputGeometryType { kGeometryZMatrix = 1, kGeometryCartesian = 2 };
    // How the job of a Gaussian output ended: the last termination line, or
    // still running when none came after its last step.
    enum class Termination { kNotAnOutput, kNormal, kError, kRunning };

    CMolData() = default;
    CMolData(const CMolData&) = delete;
    CMolData& operator=(const CMolData&) = delete;

    // The virtual operations, in slot order.
    virtual ~CMolData();
    virtual CMolData& Assign(const CMolData& other) = 0;
    virtual void Scan() = 0;
    virtual int ReadGeometries() = 0;
    virtual CMolFrame* GetFrame(int g);
    virtual void SetAtomPos(int g, int a, const Point3D* p);
    virtual MolAtom* SetAtomPosXYZ(int g, int a, double x, double y, double z);
    virtual void GetAtomPos(int g, int a, Point3D* out);
    virtual double GetAtomCoord(int g, int a, int k);
    virtual int PerceiveBonds(int mode);
    virtual double GetDistance(int g, int a, int b);
    virtual double GetAngle(int g, int a, int b, int c);
    virtual double GetDihedral(int g, int a, int b, int c, int d);
    virtual Point3D* GetBondAxis(int g, int a, int b, Point3D* out);
    virtual int GetBondedAtom(int g, int a, int k);
    virtual int GetBondCount(int g, int a);
    virtual void SetCurrentFrame(int n);
    virtual int GetCurrentFrame();
    virtual void SetElement(int g, int a, int element);
    virtual int GetElement(int g, int a);
    virtual char* GetLabel(int g, int a);
    virtual const char* GetAtomDescription(int g, int a) = 0;
    virtual Point3D* GetCentre(int g, Point3D* out);
    virtual bool IsAtomShown(int g, int a);
    virtual const std::string& GetResidueName(int g, int a);
    virtual int GetResidueIndex(int g, int a);
    virtual const double* GetResidueColour(int g, const std::string& name);
    virtual void SetSelectedResidues(const std::vector<int>& residues, int g) = 0;
    virtual std::vector<int>* GetSelectedResidues(int g);
    virtual void AddResidueLabel(int residue, std::string label, int g) = 0;
    virtual std::map<int, std::string>* GetResidueLabels(int g);
    virtual int ApplyResidueSelection(int mode, int g) = 0;
    virtual bool ComputeBackboneAngles(int g) = 0;
    virtual void WriteRamachandranData(StdioFile* file) = 0;
    virtual std::map<int, double>* GetPhiAngles(int g);
    virtual std::map<int, double>* GetPsiAngles(int g);
    virtual std::map<int, int>* GetBackboneAtoms(int g);

    // Atoms of geometry g; 0 for a geometry that does not exist.
    int AtomCount(int g) const;
    // Whether atom a of geometry g exists.
    bool HasAtom(int g, int a) const { return a >= 0 && a < AtomCount(g); }

    // The shared line reader of the structure readers. Reads one line of at
    // most size - 1 characters into buffer (always NUL-terminated, the line
    // end not stored) and returns buffer, or nullptr when nothing at all was
    // read before the end of the file. LF, CR, CR LF and LF CR each end a
    // line; a doubled LF or CR gives an empty line.
    static char* ReadLine(char* buffer, int size, StdioFile* file);

    int frameCount = 0;
    // Atoms of the largest geometry (AtomCount(g) gives each one's own).
    int atomCount = 0;
    int currentFrame = 0;
    int bondsFromFile = 0;
    SourceKind sourceKind = SourceKind::kNone;
    GaussianFileType gaussianFileType = GaussianFileType::kNone;
    int gaussianVersion = 0;
    int vibrationState = 0;
    int inputGeometryType = 0;
    int reserved = 0;
    std::int64_t vibrationPosition = 0;
    // Lines that looked like atom rows or records but did not hold the
    // numbers their format needs; they give no atom.
    int skippedLines = 0;
    // Models of a structure file that holds several (MODEL records, model
    // numbers): each one a geometry when all hold the same atoms, else only
    // the first is read (frameCount 1). 0 for files without models.
    int fileModels = 0;
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

protected:
    // Deep copy of other's geometries and header (the body of Assign). Does
    // nothing when other is this object.
    void CopyFrom(const CMolData& other);
    // Assign: the copy, then the kind fields of the copying class.
    CMolData& AssignAs(const CMolData& other, const KindFields& kind);
    // Reads the model from an open file in the readers' order: Scan, create
    // the geometries, ReadGeometries, PerceiveBonds(bondMode) when perceive
    // is set, then the centres. The file is not kept.
    void Load(StdioFile* in, bool perceive, int bondMode);
    // Creates frameCount geometries and shows the last one. Geometry g gets
    // frameRows[g] atom records when Scan filled frameRows, else atomCount.
    void AllocateFrames();
    // After reading: drops the geometries that hold no atom (with their file
    // positions), sets atomCount to the largest geometry and shows the last.
    void DropEmptyFrames();
    // Bounding-box centre of every geometry.
    void ComputeCentres();

    // Geometry g, or an empty geometry when there is none such.
    CMolFrame& Frame(int g);
    const CMolFrame& Frame(int g) const;
    // Atom a of geometry g, or a blank atom when there is none such.
    MolAtom& Atom(int g, int a);

    std::vector<std::unique_ptr<CMolFrame>> frames;
    // Atom rows of each geometry as the first pass counted them.
    std::vector<int> frameRows;
    StdioFile* file = nullptr;     // the file being read, during construction only
    std::string descriptionBuffer; // GetAtomDescription's result

private:
    double colourBuffer_[3] = {}; // GetResidueColour's result
    CMolFrame noFrame_{0};        // what an index out of range reads
    MolAtom noAtom_;
};
