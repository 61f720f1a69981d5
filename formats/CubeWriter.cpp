#include "formats/CubeWriter.h"

#include "formats/FixedFormat.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/VolumeGrid.h"

#include <charconv>
#include <cmath>

namespace {

void AppendInt(std::string& out, long long value, int width) {
    const std::string text = std::to_string(value);
    out.append(text.size() < static_cast<std::size_t>(width) ? width - text.size() : 0, ' ');
    out += text;
}

void AppendPoint(std::string& out, const Point3D& p) {
    AppendFixed(out, p.x, 12, 6);
    AppendFixed(out, p.y, 12, 6);
    AppendFixed(out, p.z, 12, 6);
}

// " %12.5E" in the C locale.
void AppendScientific(std::string& out, float value) {
    char text[32];
    const double v = std::isfinite(value) ? static_cast<double>(value) : 0.0;
    const auto result =
        std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, 5);
    std::string number(text, result.ptr);
    for (char& c : number) {
        if (c == 'e')
            c = 'E';
    }
    out.append(number.size() < 13 ? 13 - number.size() : 1, ' ');
    out += number;
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

} // namespace

bool WriteCube(const CMolData& model, int g, const VolumeGrid& grid, const std::string& title,
               StdioFile* file) {
    std::string out = OneLine(title) + "\n" + OneLine(grid.name) + "\n";
    const int atoms = model.AtomCount(g);
    AppendInt(out, atoms, 5);
    AppendPoint(out, grid.origin);
    out += "\n";
    for (int axis = 0; axis < 3; ++axis) {
        AppendInt(out, grid.points[static_cast<std::size_t>(axis)], 5);
        AppendPoint(out, grid.axes[static_cast<std::size_t>(axis)]);
        out += "\n";
    }
    for (int a = 0; a < atoms; ++a) {
        const int element = model.GetElement(g, a);
        AppendInt(out, element, 5);
        AppendFixed(out, element, 12, 6);
        AppendPoint(out, Scaled(model.GetAtomPos(g, a), 1.0 / kBohrInAngstrom));
        out += "\n";
    }
    if (!file->WriteString(out))
        return false;
    const int nz = grid.points[2];
    for (std::size_t row = 0; row + static_cast<std::size_t>(nz) <= grid.values.size();
         row += static_cast<std::size_t>(nz)) {
        out.clear();
        for (int k = 0; k < nz; ++k) {
            AppendScientific(out, grid.values[row + static_cast<std::size_t>(k)]);
            if (k % 6 == 5 || k + 1 == nz)
                out += "\n";
        }
        if (!file->WriteString(out))
            return false;
    }
    return !file->HasWriteError();
}
