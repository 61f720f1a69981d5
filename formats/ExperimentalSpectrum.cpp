#include "formats/ExperimentalSpectrum.h"

#include "model/Spectrum.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// The numbers of a line whose fields are parted by blanks, tabs, commas or
// semicolons; empty when any field is no number.
std::vector<double> Numbers(const std::string& line) {
    std::string spaced = line;
    std::replace_if(
        spaced.begin(), spaced.end(), [](char c) { return c == ',' || c == ';' || c == '\t'; },
        ' ');
    std::vector<double> values;
    for (const std::string_view word : TextScanner::Words(spaced)) {
        double v = 0.0;
        if (!TextScanner::ParseReal(word, v))
            return {};
        values.push_back(v);
    }
    return values;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "##LABEL= value": the label without blanks, dashes, slashes or
// underscores, in capitals (the standard's rule), and the value.
bool Labelled(const std::string& line, std::string& label, std::string& value) {
    if (line.compare(0, 2, "##") != 0)
        return false;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    label.clear();
    for (const char c : line.substr(2, equals - 2)) {
        if (c != ' ' && c != '-' && c != '/' && c != '_')
            label += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    value = std::string(TextScanner::Trim(line.substr(equals + 1)));
    return true;
}

bool ParseJcamp(std::istringstream& in, ExperimentalSpectrum& out, std::string& why) {
    double xFactor = 1.0, yFactor = 1.0, firstX = std::nan(""), lastX = std::nan("");
    int points = 0;
    std::string yUnits, line, label, value;
    enum { kHeader, kYs, kPairs } data = kHeader;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (Labelled(line, label, value)) {
            data = kHeader;
            if (label == "TITLE" && out.title.empty())
                out.title = value;
            else if (label == "XUNITS")
                out.xUnits = Upper(value);
            else if (label == "YUNITS")
                yUnits = Upper(value);
            else if (label == "XFACTOR")
                TextScanner::ParseReal(value, xFactor);
            else if (label == "YFACTOR")
                TextScanner::ParseReal(value, yFactor);
            else if (label == "FIRSTX")
                TextScanner::ParseReal(value, firstX);
            else if (label == "LASTX")
                TextScanner::ParseReal(value, lastX);
            else if (label == "NPOINTS")
                TextScanner::ParseInt(value, points);
            else if (label == "XYDATA" || label == "XYPOINTS" || label == "PEAKTABLE") {
                const std::string form = Upper(value);
                if (form.find("X++(Y..Y)") != std::string::npos)
                    data = kYs;
                else if (form.find("XY..XY") != std::string::npos)
                    data = kPairs;
            } else if (label == "END" && !out.x.empty()) {
                break;
            }
            continue;
        }
        if (data == kHeader || line.compare(0, 2, "$$") == 0)
            continue;
        const std::vector<double> values = Numbers(line);
        if (values.empty()) {
            // Letters among the digits: the compressed forms.
            why = "the JCAMP-DX file's data are compressed (SQZ, DIF or DUP), which is not read";
            return false;
        }
        if (data == kPairs) {
            for (std::size_t k = 0; k + 1 < values.size(); k += 2) {
                out.x.push_back(values[k] * xFactor);
                out.y.push_back(values[k + 1] * yFactor);
            }
            continue;
        }
        // X++(Y..Y): the line's x, then ys each a step further on.
        const double step = points > 1 && std::isfinite(firstX) && std::isfinite(lastX)
                                ? (lastX - firstX) / (points - 1)
                                : 0.0;
        for (std::size_t k = 1; k < values.size(); ++k) {
            out.x.push_back(values[0] * xFactor + step * static_cast<double>(k - 1));
            out.y.push_back(values[k] * yFactor);
        }
    }
    if (yUnits.find("TRANSMITTANCE") != std::string::npos) {
        const double top = out.y.empty() ? 1.0 : *std::max_element(out.y.begin(), out.y.end());
        const double full = top > 1.5 ? 100.0 : 1.0;
        for (double& v : out.y)
            v = v > 0.0 ? -std::log10(v / full) : std::nan("");
    }
    return true;
}

} // namespace

bool ExperimentalSpectrum::Parse(const std::string& text, ExperimentalSpectrum& out,
                                 std::string& why) {
    out = ExperimentalSpectrum();
    std::istringstream in(text);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start != std::string::npos && text.compare(start, 2, "##") == 0) {
        if (!ParseJcamp(in, out, why))
            return false;
    } else {
        // Two columns; a header line or a column of names is passed over.
        std::string line;
        while (std::getline(in, line)) {
            const std::vector<double> values = Numbers(line);
            if (values.size() >= 2) {
                out.x.push_back(values[0]);
                out.y.push_back(values[1]);
            }
        }
    }
    if (out.x.size() < 2) {
        why = "the file holds fewer than two points of a spectrum";
        return false;
    }
    return true;
}

void ExperimentalSpectrum::NanometresToEv() {
    for (double& v : x)
        v = v > 0.0 ? SpectrumConstants::kEvNanometres / v : std::nan("");
}
