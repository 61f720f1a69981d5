#include "formats/NoMoleculeReason.h"

#include "formats/FileFormat.h"
#include "model/CMolData.h"

NoMoleculeReason NoMoleculeReasonOf(const CMolData& model) {
    if (model.zMatrixProblem.kind != ZMatrixProblem::Kind::kNone)
        return NoMoleculeReason::kUnresolvedZMatrix;
    if (!model.formatProblem.empty())
        return NoMoleculeReason::kUnreadableFormat;
    if (model.frameCount <= 0 && model.onlyFractionalCoordinates)
        return NoMoleculeReason::kFractionalCoordinates;
    if (model.frameCount <= 0)
        return model.skippedLines > 0 ? NoMoleculeReason::kNoReadableAtoms
                                      : NoMoleculeReason::kNoGeometry;
    if (model.atomCount <= 0)
        return NoMoleculeReason::kNoAtoms;
    return NoMoleculeReason::kNone;
}

std::string DescribeNoMoleculeReason(NoMoleculeReason reason, FileKind kind) {
    switch (reason) {
    case NoMoleculeReason::kNone:
        return "the file holds a molecule";
    case NoMoleculeReason::kNoGeometry:
        return "the file holds no geometry";
    case NoMoleculeReason::kNoReadableAtoms:
        return "no atom row of the file holds usable coordinates";
    case NoMoleculeReason::kNoAtoms:
        return "the file holds no atoms";
    case NoMoleculeReason::kUnresolvedZMatrix:
        return "the Z-matrix gives no coordinates";
    case NoMoleculeReason::kUnreadableFormat: {
        const FileFormat* format = FormatOfKind(kind);
        if (kind == FileKind::kMmcif || format == nullptr)
            return "the file is not valid mmCIF";
        return std::string("the file is not a valid ") + format->title;
    }
    case NoMoleculeReason::kFractionalCoordinates:
        return "the atoms' positions are fractional coordinates of a crystal's cell only (a "
               "small-molecule CIF), which are not read";
    }
    return "";
}

std::string DescribeZMatrixProblem(const ZMatrixProblem& problem) {
    const std::string where = "line " + std::to_string(problem.line) + ": ";
    switch (problem.kind) {
    case ZMatrixProblem::Kind::kNone:
        return {};
    case ZMatrixProblem::Kind::kUnreadableLine:
        return where + "not an atom with its coordinates";
    case ZMatrixProblem::Kind::kUndefinedVariable:
        return where + "the variable " + problem.name + " is not defined";
    case ZMatrixProblem::Kind::kLaterAtom:
        return where + "the reference " + problem.name + " is not an earlier atom";
    case ZMatrixProblem::Kind::kUndefinedPosition:
        return where + "the position is undefined (reference atoms on a line or on top of each "
                       "other, angles that do not fit, or a distance that is not positive)";
    }
    return {};
}
