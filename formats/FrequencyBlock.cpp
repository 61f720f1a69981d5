// Frequency blocks of Gaussian outputs, G94 to G16.
//
// Decided here:
// - A property line's values are the fields after its dashes, one a mode in
//   order (in the high-precision layout, fields of ten characters when the
//   words do not come out one a mode); a value that is no finite number, or is missing, is not
//   printed (NaN) — except the frequency, without which the mode is left out.
// - The displacement header ends the property lines; a block that shows
//   none within 16 lines is no block.
// - A displacement row gives the values of the modes it holds in full; a
//   mode missing a value in any row of its geometry is left out.

#include "formats/FrequencyBlock.h"

#include "model/TextScanner.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace {

double Number(std::string_view text) {
    double value = 0.0;
    return TextScanner::ParseReal(text, value) ? value : NormalMode::kNotPrinted;
}

// The property a line holds, and its values after the dashes.
enum class Property { kNone, kFrequency, kReducedMass, kForceConstant, kIrIntensity, kRaman };

Property PropertyOf(std::string_view line, std::string_view& values) {
    const std::size_t dashes = line.find("--");
    if (dashes == std::string_view::npos)
        return Property::kNone;
    std::size_t after = dashes;
    while (after < line.size() && line[after] == '-')
        ++after;
    values = line.substr(after);
    const std::string_view key = line.substr(0, dashes);
    const auto has = [&key](const char* text) { return key.find(text) != std::string_view::npos; };
    if (has("Frequencies"))
        return Property::kFrequency;
    if (has("Red. masses") || has("Reduced masses"))
        return Property::kReducedMass;
    if (has("Frc consts") || has("Force constants"))
        return Property::kForceConstant;
    if (has("IR Inten"))
        return Property::kIrIntensity;
    if (has("Raman Activ"))
        return Property::kRaman;
    return Property::kNone;
}

// The high-precision layout prints its values in fields of ten characters
// after the dashes and one blank; a value that fills its field (a Raman
// activity of 12345.6789) touches the one before it.
std::vector<std::string_view> FixedFields(std::string_view values) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 1; at < values.size(); at += 10) {
        std::string_view field = values.substr(at, 10);
        while (!field.empty() && field.front() == ' ')
            field.remove_prefix(1);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\r'))
            field.remove_suffix(1);
        if (!field.empty())
            fields.push_back(field);
    }
    return fields;
}

bool IsAtomHeader(std::string_view line) {
    const std::vector<std::string_view> w = TextScanner::Words(line);
    return w.size() >= 5 && w[0] == "Atom" && w[1] == "AN" && w[2] == "X";
}

bool IsCoordinateHeader(std::string_view line) {
    return line.find("Coord Atom Element:") != std::string_view::npos;
}

} // namespace

void FrequencyBlock::Read(const std::function<bool(std::string&)>& nextLine, int atoms,
                          std::vector<NormalMode>& modes) {
    std::string line;
    if (atoms <= 0 || !nextLine(line))
        return;
    std::vector<NormalMode> block;
    for (std::string_view word : TextScanner::Words(line)) {
        int number = 0;
        if (!TextScanner::ParseInt(word, number) || block.size() >= kMaxModes)
            return;
        block.emplace_back().number = number;
    }
    if (block.empty() || !nextLine(line))
        return;
    const std::vector<std::string_view> symmetries = TextScanner::Words(line);
    if (symmetries.size() == block.size()) {
        for (std::size_t j = 0; j < block.size(); ++j)
            block[j].symmetry = std::string(symmetries[j]);
    }
    const std::size_t n = block.size();
    std::vector<bool> complete(n, false);
    bool highPrecision = false, header = false;
    for (int k = 0; k < 16 && !header && nextLine(line); ++k) {
        if (IsAtomHeader(line) || IsCoordinateHeader(line)) {
            header = true;
            highPrecision = IsCoordinateHeader(line);
            break;
        }
        std::string_view values;
        const Property property = PropertyOf(line, values);
        std::vector<std::string_view> v = TextScanner::Words(values);
        if (v.size() != n && line.find("---") != std::string::npos)
            v = FixedFields(values);
        for (std::size_t j = 0; j < n; ++j) {
            const double value = j < v.size() ? Number(v[j]) : NormalMode::kNotPrinted;
            switch (property) {
            case Property::kFrequency:
                block[j].frequency = value;
                complete[j] = std::isfinite(value);
                break;
            case Property::kReducedMass:
                block[j].reducedMass = value;
                break;
            case Property::kForceConstant:
                block[j].forceConstant = value;
                break;
            case Property::kIrIntensity:
                block[j].irIntensity = value;
                break;
            case Property::kRaman:
                block[j].ramanActivity = value;
                break;
            case Property::kNone:
                break;
            }
        }
    }
    if (!header)
        return;
    for (NormalMode& mode : block)
        mode.displacements.assign(static_cast<std::size_t>(atoms), Point3D{});
    // Rows: per atom "atom AN x y z x y z ...", or per coordinate
    // "coordinate atom element v v v ...".
    const int rows = highPrecision ? 3 * atoms : atoms;
    const std::size_t leading = highPrecision ? 3 : 2;
    const std::size_t perMode = highPrecision ? 1 : 3;
    // Every row must come once: a repeated one leaves another unread.
    std::vector<bool> seen(static_cast<std::size_t>(rows), false);
    int read = 0;
    for (; read < rows && nextLine(line); ++read) {
        const std::vector<std::string_view> w = TextScanner::Words(line);
        int atom = 0, column = 0;
        if (highPrecision) {
            if (w.size() < leading || !TextScanner::ParseInt(w[0], column) ||
                !TextScanner::ParseInt(w[1], atom) || column < 1 || column > 3)
                break;
        } else if (w.size() < leading || !TextScanner::ParseInt(w[0], atom)) {
            break;
        }
        if (atom < 1 || atom > atoms)
            break;
        const std::size_t row = highPrecision
                                    ? static_cast<std::size_t>((atom - 1) * 3 + column - 1)
                                    : static_cast<std::size_t>(atom - 1);
        if (seen[row])
            break;
        seen[row] = true;
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t c = 0; c < perMode; ++c) {
                const std::size_t index = leading + j * perMode + c;
                const double value = index < w.size() ? Number(w[index]) : NormalMode::kNotPrinted;
                if (!std::isfinite(value)) {
                    complete[j] = false;
                    continue;
                }
                Point3D& d = block[j].displacements[static_cast<std::size_t>(atom) - 1];
                const int axis = highPrecision ? column - 1 : static_cast<int>(c);
                (axis == 0 ? d.x : axis == 1 ? d.y : d.z) = value;
            }
        }
    }
    for (std::size_t j = 0; j < n; ++j) {
        if (complete[j] && read == rows)
            modes.push_back(std::move(block[j]));
    }
}
