#include "formats/BohrFrame.h"

#include "model/ElementTable.h"
#include "model/VolumeGrid.h"

std::unique_ptr<CMolFrame> FrameFromBohr(const std::vector<int>& elements,
                                         const std::vector<Point3D>& positions) {
    return FrameFromPositions(elements, positions, kBohrInAngstrom);
}

std::unique_ptr<CMolFrame> FrameFromPositions(const std::vector<int>& elements,
                                              const std::vector<Point3D>& positions,
                                              double angstromPerUnit) {
    const int count = static_cast<int>(std::min(elements.size(), positions.size()));
    auto frame = std::make_unique<CMolFrame>(count);
    for (int a = 0; a < count; ++a) {
        MolAtom& atom = frame->Atom(a);
        const std::size_t k = static_cast<std::size_t>(a);
        atom.element = ElementTable::Clamp(elements[k]);
        atom.x = positions[k].x * angstromPerUnit;
        atom.y = positions[k].y * angstromPerUnit;
        atom.z = positions[k].z * angstromPerUnit;
        atom.SetNumberedLabel(k + 1, ElementTable::Symbol(atom.element));
    }
    return frame;
}
