#pragma once

#include "model/VolumeGrid.h"

#include <cstdint>
#include <vector>

// A triangle mesh of where a grid's values cross a level: positions (bohr)
// and unit normals three floats a vertex, triangles three vertex indices
// each. Vertices are shared by the triangles that meet at them, and every
// triangle turns counter-clockwise seen from the side of lower values.
struct IsoMesh {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<std::uint32_t> triangles;
    // The level set stays inside the grid: no point on the grid's faces is
    // above the level, so the surface is closed and only its outside is
    // ever seen.
    bool closed = true;

    std::size_t VertexCount() const { return positions.size() / 3; }
    std::size_t TriangleCount() const { return triangles.size() / 3; }
};

// The surface where sign × value equals level (level > 0: sign +1 gives an
// orbital's positive lobe, -1 its negative one), by marching tetrahedra
// (each cell cut into six along its diagonal, so neighbouring cells cut
// their shared faces alike and the surface has no cracks). Normals come
// from the values' gradient. A surface the grid's edge cuts stays open
// there.
IsoMesh ExtractIsosurface(const VolumeGrid& grid, double level, int sign = 1);
