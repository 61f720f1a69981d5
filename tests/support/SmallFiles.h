#pragma once

// Small structure files the tests write themselves.
namespace SmallFiles {

// A water molecule as a Gaussian input with Cartesian coordinates.
extern const char* const kWaterInput;

} // namespace SmallFiles
