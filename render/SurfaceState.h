#pragma once

#include "model/Isosurface.h"
#include "model/VolumeGrid.h"

#include <array>
#include <memory>
#include <vector>

// The isosurface a document shows: the grid, the level, how it is drawn,
// and the meshes made from them. Grids with values of both signs (an
// orbital) give a lobe of each sign at ± the level; others one surface.
struct SurfaceState {
    std::shared_ptr<const VolumeGrid> volume; // null: no surface
    double isovalue = 0.02;
    bool translucent = false;
    // A second grid whose values colour the surface (blue low, white, red
    // high over colourRange); null: each lobe in its own colour.
    std::shared_ptr<const VolumeGrid> colourVolume;
    std::array<float, 2> colourRange{0.0F, 0.0F};

    // Made by Update from the above.
    std::shared_ptr<const IsoMesh> positive, negative;
    // Per vertex red, green, blue and alpha of the lobes, when a grid colours
    // them.
    std::shared_ptr<const std::vector<float>> positiveColours, negativeColours;

    // The alpha of a translucent surface.
    static constexpr float kTranslucentAlpha = 0.5F;

    // Remakes the meshes and their colours when the grid, the level, the
    // colouring grid or the translucency changed since they were made.
    void Update();
    // The default level of a grid: 0.02 for one of both signs (an orbital),
    // 0.002 for one of positive values (a density).
    static double DefaultIsovalue(const VolumeGrid& grid);
    // The colour of value on the blue-white-red ramp over range.
    static std::array<float, 3> RampColour(float value, const std::array<float, 2>& range);
    // The lowest and highest values of colourVolume on the surfaces shown
    // (the range a colouring grid's values take where they are seen); {0, 0}
    // without a colouring grid or a surface.
    std::array<float, 2> ColouringRangeOnSurface() const;
    // How far the surfaces shown reach from centre (ångström); 0 without
    // any.
    double ReachFrom(const Point3D& centre) const;
    // The value of grid at p (bohr), by trilinear interpolation; the nearest
    // face's value beyond the grid.
    static float Sample(const VolumeGrid& grid, const Point3D& p);

private:
    const VolumeGrid* madeFrom_ = nullptr;
    double madeAt_ = 0.0;
    const VolumeGrid* colouredBy_ = nullptr;
    std::array<float, 2> colouredOver_{};
    bool colouredTranslucent_ = false;
};
