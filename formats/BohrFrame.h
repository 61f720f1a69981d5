#pragma once

#include "model/CMolFrame.h"
#include "model/Point3D.h"

#include <memory>
#include <vector>

// A geometry of atoms given by atomic number and position in bohr (as cube
// and checkpoint files give them), placed in ångström and labelled as the
// Gaussian reader labels atoms ("3H").
std::unique_ptr<CMolFrame> FrameFromBohr(const std::vector<int>& elements,
                                         const std::vector<Point3D>& positions);
// The same for positions in any unit: angstromPerUnit Å each (1 for
// positions in ångström).
std::unique_ptr<CMolFrame> FrameFromPositions(const std::vector<int>& elements,
                                              const std::vector<Point3D>& positions,
                                              double angstromPerUnit);
