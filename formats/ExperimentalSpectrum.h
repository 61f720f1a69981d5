#pragma once

#include <string>
#include <vector>

// A measured spectrum to draw over a computed one: points (x, y) in file
// order, as a two-column text file, a CSV file or a JCAMP-DX file gives
// them. JCAMP-DX is read in its plain forms, (X++(Y..Y)) and (XY..XY) in
// ASCII numbers with their factors; its compressed forms (SQZ, DIF, DUP)
// are said to be unread. Transmittance becomes absorbance (−log₁₀ T, T
// from 0 to 1 or in per cent), so that bands point up as computed ones do.
struct ExperimentalSpectrum {
    std::vector<double> x, y;
    std::string title;
    // The x unit as the file names it ("1/CM", "NANOMETERS"); empty for
    // text files.
    std::string xUnits;

    // False with why when text holds fewer than two points.
    static bool Parse(const std::string& text, ExperimentalSpectrum& out, std::string& why);
    // In place: x in nanometres becomes eV, as the UV-Vis axis has it.
    void NanometresToEv();
};
