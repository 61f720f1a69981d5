#include "formats/FixedFormat.h"

#include "formats/ShownAtoms.h"

#include <charconv>
#include <cmath>

void AppendFixed(std::string& out, double value, int width, int precision) {
    // Largest finite double in fixed notation: 309 digits, sign, point and
    // the decimals.
    char text[400];
    std::size_t length = 0;
    if (std::isnan(value)) {
        text[0] = 'n', text[1] = 'a', text[2] = 'n';
        length = 3;
    } else {
        const auto result =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
        length = static_cast<std::size_t>(result.ptr - text);
    }
    if (length < static_cast<std::size_t>(width))
        out.append(static_cast<std::size_t>(width) - length, ' ');
    out.append(text, length);
}

bool FitsFixed(double value, int width, int precision) {
    if (!std::isfinite(value))
        return false;
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
    return result.ec == std::errc() && result.ptr - text <= width;
}

std::string CoordinatesThatDoNotFit(const CMolData& mol, int g, const ResidueVisibility* shown,
                                    int width, int precision) {
    std::string why;
    ForEachShownAtom(mol, g, shown, [&](int a, const Point3D& p) {
        for (const double v : {p.x, p.y, p.z}) {
            if (FitsFixed(v, width, precision))
                continue;
            std::string value;
            if (std::isfinite(v))
                AppendFixed(value, v, 0, precision);
            else
                value = "not a finite number";
            why = "atom " + std::to_string(a + 1) + " has a coordinate (" + value +
                  ") that does not fit the format's " + std::to_string(width) + " columns";
            return false;
        }
        return true;
    });
    return why;
}
