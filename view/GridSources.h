#pragma once

#include "model/VolumeEvaluator.h"
#include "render/DocumentGrid.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class QWidget;
struct MolDocState;

// Makes the grids of a document: evaluated from its orbitals (on a thread,
// with a progress dialog that can cancel), read from cube files, and made
// again from what a session kept of them.
class GridSources {
public:
    // A grid made, or why not: cancelled by the person, or a message.
    struct Made {
        std::shared_ptr<const VolumeGrid> grid;
        bool cancelled = false;
        QString why;
    };
    // Evaluates request from w on a grid of spacing (bohr) reaching margin
    // (bohr) beyond the basis centres; parent owns the progress dialog.
    static Made Evaluate(QWidget* parent, const std::shared_ptr<const Wavefunction>& w,
                         const VolumeRequest& request, double spacing, double margin);

    // The grids of the cube file at path, or why none: the file could not
    // be opened (openError, the system's reason), or it holds no grid (why).
    struct Read {
        std::vector<std::shared_ptr<const VolumeGrid>> grids;
        bool cancelled = false;
        QString openError;
        QString why;
    };
    static Read ReadCube(QWidget* parent, const QString& path);

    // What a session keeps of a document's isosurface: where each grid came
    // from (DocumentGrid without its values), the grid shown and the one
    // that colours it (indices into grids, -1 for none), and how it is
    // drawn.
    struct Kept {
        std::vector<DocumentGrid> grids;
        int shown = -1;
        int colouredBy = -1;
        double isovalue = 0.02;
        bool translucent = false;
        std::array<float, 2> colourRange{0.0F, 0.0F};
    };
    static Kept KeptOf(const MolDocState& state);
    // Makes kept's grids again for state's model, in their order (the file's
    // own taken from the model, cube files read, the others evaluated), and
    // puts the surface as kept. What cannot be made is left out, and said in
    // the lines returned; cancelling one evaluation leaves out that grid.
    static QStringList Restore(QWidget* parent, MolDocState& state, const Kept& kept);
};
