#pragma once

#include "model/Point3D.h"
#include "render/SceneContent.h"

class CMolData;
struct MolDocState;
struct SurfaceState;
struct ViewState;

// What the view's state and its document's model show: the one place that
// decides which atoms, bonds, arrows, labels and which ribbon a picture
// holds, their sizes and colours. Computing the ribbon fills the model's
// cache of backbone angles; nothing else is changed.
SceneContent BuildSceneContent(const ViewState& view, const MolDocState& document);
// The document's isosurface meshes as content (the builder's last step).
void AddSurfaces(const SurfaceState& surface, SceneContent& content);

// The rules the content is built by, for those who ask what it shows.
//
// Atoms left out: hidden by the document's residue display or the hydrogen
// switch, beyond the geometry, or without a finite position.
bool IsAtomSkipped(const ViewState& view, const MolDocState& document, int a);
bool IsHiddenHydrogen(const ViewState& view, const CMolData& data, int a);
// Its element's colour, or its residue's when colouring by residue.
Rgba AtomColour(const ViewState& view, const MolDocState& document, int a);
// Atom a's displacement in the mode shown (as printed); false when the model
// holds none for it.
bool AtomDisplacement(const ViewState& view, const CMolData& data, int a, Point3D& d);
// The arrow of atom a (displacement × arrow scale): its length, and its
// direction when asked for; 0 without a displacement.
double ArrowLength(const ViewState& view, const CMolData& data, int a, Point3D* direction);
// Where atom a is drawn, in Å: its position, moved along the mode while the
// vibration is animated.
Point3D DrawnPosition(const ViewState& view, const CMolData& data, int a);
// Highlighted: picked for a measurement, or in the selection "sele".
bool IsSelectedAtom(const ViewState& view, int a);
// In the selection "sele" (the residues Ctrl-clicked); in wire frame the
// bonds between two of them are white too.
bool IsInSele(const ViewState& view, int a);

// The colours every picture shares.
constexpr Rgba kBondGrey = {0.5F, 0.5F, 0.5F, 1.0F};
constexpr Rgba kArrowColour = {1.0F, 0.14F, 0.6667F, 1.0F};
// The arrow cone's base radius, Å.
constexpr double kArrowRadius = 0.08;
// The radius of the sticks style's bonds and atoms, Å.
constexpr double kStickRadius = 0.2;
// Pixels across of a water's point beside the cartoon.
constexpr double kWaterPointSize = 4.0;
// The other geometries drawn with the one shown.
constexpr Rgba kOverlayGrey = {0.55F, 0.55F, 0.6F, 1.0F};
// Points a ribbon piece is drawn through.
constexpr int kRibbonSteps = 30;
