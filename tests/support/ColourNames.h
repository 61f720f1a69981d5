#pragma once

#include <algorithm>
#include <cmath>
#include <string>

// The name a person gives a colour of red, green and blue in 0 … 1, by its
// hue (HSV, degrees) where it is saturated and by its lightness where it is
// not: the words the user guide uses for the colour schemes. Tests compare
// the program's colours with these names, not with its own numbers.
inline std::string ColourName(double r, double g, double b) {
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double saturation = high > 0.0 ? (high - low) / high : 0.0;
    if (saturation < 0.2)
        return high > 0.9 ? "white" : high < 0.15 ? "black" : "grey";
    double hue = 0.0;
    if (high == r)
        hue = 60.0 * std::fmod((g - b) / (high - low) + 6.0, 6.0);
    else if (high == g)
        hue = 60.0 * ((b - r) / (high - low) + 2.0);
    else
        hue = 60.0 * ((r - g) / (high - low) + 4.0);
    if (hue >= 330.0 || hue < 15.0)
        return "red";
    if (hue < 40.0)
        return "orange";
    if (hue < 52.0)
        return high < 0.9 ? "ochre" : "yellow";
    if (hue < 70.0)
        return "yellow";
    if (hue < 170.0)
        return "green";
    if (hue < 255.0)
        return "blue";
    return "violet";
}
