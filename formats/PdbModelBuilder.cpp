#include "formats/PdbModelBuilder.h"

#include "formats/PdbOptions.h"
#include "model/ResidueSummary.h"

#include <cstring>

void PdbModelBuilder::Load(const PdbOptions* options,
                           const std::function<void(std::vector<int>& rows)>& scan,
                           const std::function<void(const std::vector<int>& rows)>& read) {
    const PdbOptions defaults;
    if (options == nullptr)
        options = &defaults;
    model_ = CMolData();
    model_.bondsFromFile = options->conect;
    model_.sourceKind = CMolData::SourceKind::kPdb;
    model_.gaussianFileType = CMolData::GaussianFileType::kPdb;
    model_.vibrationState = CMolData::kVibrationNone;
    model_.inputGeometryType = CMolData::kGeometryCartesian;
    std::vector<int> rows;
    scan(rows);
    model_.AllocateFrames(model_.frameCount, rows);
    read(rows);
    model_.DropEmptyFrames();
    if (model_.bondsFromFile == 0)
        model_.PerceiveBonds(options->bondMode);
    model_.ComputeCentres();
    for (int g = 0; g < model_.frameCount; ++g)
        SummariseResidues(model_.Frame(g), model_.secondaryRecords);
    // An ensemble shows its first model, as the file lists it first.
    model_.firstShownFrame = 0;
}

int PdbModelBuilder::OverflowNumbers::Next(std::string_view word, const std::string& label) {
    if (!started_) {
        const std::size_t stars = word.find_first_not_of('*');
        const std::size_t count = stars == std::string_view::npos ? word.size() : stars;
        counter_ = count == 4 ? 9999 : count == 5 ? 99999 : 999999;
        firstLabel_ = label;
        started_ = true;
    }
    if (label == firstLabel_)
        ++counter_;
    return counter_;
}

void PdbModelBuilder::StoreAtom(const AtomFields& fields, ReadState& state, int g) {
    CMolFrame& frame = model_.Frame(g);
    const int index = state.atomIndex++;
    MolAtom& atom = frame.Atom(index);
    atom.element = fields.element;
    atom.x = fields.at.x;
    atom.y = fields.at.y;
    atom.z = fields.at.z;
    if (fields.hasSerial)
        frame.SetSerial(fields.serial, index);
    atom.SetLabel(fields.label.c_str());

    const bool firstAtom = index == 0;
    if (firstAtom || fields.residueName != state.previousName) {
        state.previousName = fields.residueName;
        state.previousNameId = frame.ResidueNameId(state.previousName);
    }
    atom.residueNameId = state.previousNameId;
    atom.bFactor = fields.bFactor;
    atom.occupancy = fields.occupancy;
    atom.hetero = fields.hetero;
    // Another chain starts another residue even where its first residue has
    // the name and number of the last one before (the ligands of two chains
    // listed one after the other often do).
    if (firstAtom || fields.residueLabel != state.previousLabel ||
        fields.chain != state.previousChain) {
        model_.AddResidueLabel(state.residueCount, fields.residueLabel, g);
        ++state.residueCount;
        ++state.residueIndex;
        state.previousLabel = fields.residueLabel;
        state.previousChain = fields.chain;
        frame.residueIds.resize(static_cast<std::size_t>(state.residueIndex) + 1);
        frame.residueIds.back() = {fields.chain, fields.residueNumber, fields.insertion,
                                   fields.residueName};
    }
    frame.ResidueAtomList(state.residueIndex).push_back(index);
    atom.residueIndex = state.residueIndex;
}

void PdbModelBuilder::FinishModels(const std::vector<ReadState>& states) {
    for (int g = 0; g < model_.frameCount; ++g) {
        CMolFrame& frame = model_.Frame(g);
        const ReadState& state = states[static_cast<std::size_t>(g)];
        frame.residueCount = state.residueCount;
        // Records without coordinates, or a record name the counting pass
        // saw inside a long line that the reading pass cut elsewhere: keep
        // only the atoms read.
        if (state.atomIndex < frame.atomCount)
            frame.ShrinkTo(state.atomIndex);
    }
    // The models of an ensemble are the same molecule when atom for atom
    // they have the same element, name and residue.
    bool same = true;
    const CMolFrame& first = model_.Frame(0);
    for (int g = 1; g < model_.frameCount && same; ++g) {
        const CMolFrame& frame = model_.Frame(g);
        same = frame.atomCount == first.atomCount && frame.residueLabels == first.residueLabels;
        for (int a = 0; same && a < first.atomCount; ++a) {
            const MolAtom& p = first.Atom(a);
            const MolAtom& q = frame.Atom(a);
            same = p.element == q.element && p.residueIndex == q.residueIndex &&
                   std::strcmp(p.label, q.label) == 0;
        }
    }
    if (!same)
        model_.KeepFrames(1);
    model_.atomCount = model_.Frame(0).atomCount;
    // Bonds from the file are the first model's; the other models are the
    // same atoms.
    if (model_.bondsFromFile != 0) {
        for (int g = 1; g < model_.frameCount; ++g) {
            for (int a = 0; a < model_.atomCount && a < model_.Frame(g).atomCount; ++a) {
                const MolAtom& atom = model_.Frame(0).Atom(a);
                model_.Frame(g).SetBonds(a, atom.bonded, atom.bondCount);
            }
        }
    }
}
