#include "tests/support/GaussianOutputText.h"

#include <cstdio>
#include <random>

GaussianOutputText::GaussianOutputText(std::string_view banner, std::string_view lineEnd)
    : lineEnd_(lineEnd) {
    Line(" Entering Gaussian System, Link 0=g16");
    Line(" Input=job.gjf");
    Line(" ******************************************");
    if (!banner.empty())
        Line(banner);
    Line(" software licensed from Gaussian, Inc.");
    Line(" ******************************************");
}

GaussianOutputText& GaussianOutputText::Line(std::string_view text) {
    text_.append(text).append(lineEnd_);
    return *this;
}

GaussianOutputText& GaussianOutputText::Orientation(std::string_view kind,
                                                    const std::vector<OrientationRow>& rows,
                                                    bool fiveFields) {
    const std::string ruler(fiveFields ? 58 : 69, '-');
    Line("                          " + std::string(kind) + " orientation:");
    Line(" " + ruler);
    if (fiveFields) {
        Line(" Center     Atomic              Coordinates (Angstroms)");
        Line(" Number     Number             X           Y           Z");
    } else {
        Line(" Center     Atomic      Atomic             Coordinates (Angstroms)");
        Line(" Number     Number       Type             X           Y           Z");
    }
    Line(" " + ruler);
    char row[160];
    int centre = 1;
    for (const OrientationRow& r : rows) {
        if (fiveFields)
            std::snprintf(row, sizeof row, " %4d %10d %18.6f %11.6f %11.6f", centre, r.atomicNumber,
                          r.x, r.y, r.z);
        else
            std::snprintf(row, sizeof row, " %6d %10d %11d %15.6f %11.6f %11.6f", centre,
                          r.atomicNumber, 0, r.x, r.y, r.z);
        Line(row);
        ++centre;
    }
    Line(" " + ruler);
    return *this;
}

GaussianOutputText& GaussianOutputText::Modes(const std::vector<OrientationRow>& first,
                                              bool twoBlanks) {
    Line("                      1                      2                      3");
    Line("                      A                      A                      A");
    Line(" Frequencies --    101.2345               202.3456               303.4567");
    Line(" Red. masses --      3.1234                 2.3456                 1.2345");
    Line(twoBlanks ? "  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z"
                   : " Atom AN      X      Y      Z        X      Y      Z        X      Y      Z");
    char row[160];
    int atom = 1;
    for (const OrientationRow& r : first) {
        std::snprintf(row, sizeof row,
                      " %5d %3d   %6.2f %6.2f %6.2f     0.11   0.22   0.33    -0.44  -0.55  -0.66",
                      atom, r.atomicNumber, r.x, r.y, r.z);
        Line(row);
        ++atom;
    }
    return *this;
}

GaussianOutputText& GaussianOutputText::Filler(int lineCount, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-99.0, 99.0);
    char line[200];
    for (int i = 0; i < lineCount; ++i) {
        switch (i % 6) {
        case 0:
            std::snprintf(line, sizeof line,
                          " Cycle %4d  Pass 1  IDiag  1:  E= -%.12f     Delta-E=  %.12f", i,
                          1000.0 + value(random), value(random) * 1e-6);
            break;
        case 1:
            std::snprintf(line, sizeof line,
                          " RMSDP=%.2fD-07 MaxDP=%.2fD-06 DE=%.2fD-10 OVMax= 0.00D+00",
                          value(random), value(random), value(random));
            break;
        case 2:
            std::snprintf(line, sizeof line, "    %4d  C   %12.6f %12.6f %12.6f %12.6f", i,
                          value(random), value(random), value(random), value(random));
            break;
        case 3:
            Line(" -------------------");
            continue;
        case 4:
            std::snprintf(line, sizeof line,
                          " Mulliken charges:    %10.6f  Sum of Mulliken charges = %10.5f",
                          value(random) / 100, value(random) / 1000);
            break;
        default:
            std::snprintf(line, sizeof line,
                          " Item               Value     Threshold  Converged?  %.6f %.6f",
                          value(random) / 1000, value(random) / 1000);
            break;
        }
        Line(line);
    }
    return *this;
}

std::string GaussianOutputText::WaterOptimisation(int steps, double oxygenStep,
                                                  std::string_view kind) {
    GaussianOutputText text(kBanner16);
    for (int step = 0; step < steps; ++step)
        text.Orientation(kind,
                         {{8, 0, 0, oxygenStep * step}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}});
    return text.Text();
}
