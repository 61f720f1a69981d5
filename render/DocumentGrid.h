#pragma once

#include "model/VolumeEvaluator.h"
#include "model/VolumeGrid.h"

#include <memory>
#include <string>

// A grid a document holds, with where it came from, so that a session can
// make it again: one of the file's own grids, one read from a cube file
// added beside the structure, or one evaluated from the file's orbitals.
struct DocumentGrid {
    enum class Origin { kFile, kCube, kComputed };

    std::shared_ptr<const VolumeGrid> grid;
    Origin origin = Origin::kFile;
    // kFile: the index among the model's volumes; kCube: the index among
    // the grids of the cube file.
    int index = 0;
    // kCube: the cube file (UTF-8).
    std::string path;
    // kComputed: what was evaluated, on a grid of spacing points (bohr)
    // reaching margin (bohr) beyond the basis centres.
    VolumeRequest request;
    double spacing = 0.0;
    double margin = 0.0;

    static DocumentGrid OfFile(std::shared_ptr<const VolumeGrid> grid, int index) {
        DocumentGrid g;
        g.grid = std::move(grid);
        g.index = index;
        return g;
    }
    static DocumentGrid OfCube(std::shared_ptr<const VolumeGrid> grid, std::string path,
                               int index) {
        DocumentGrid g = OfFile(std::move(grid), index);
        g.origin = Origin::kCube;
        g.path = std::move(path);
        return g;
    }
    static DocumentGrid OfRequest(std::shared_ptr<const VolumeGrid> grid,
                                  const VolumeRequest& request, double spacing, double margin) {
        DocumentGrid g = OfFile(std::move(grid), 0);
        g.origin = Origin::kComputed;
        g.request = request;
        g.spacing = spacing;
        g.margin = margin;
        return g;
    }
};
