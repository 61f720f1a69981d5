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

std::string GaussianOutputText::Optimisation(int atoms, int steps, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<OrientationRow> rows;
    for (int a = 0; a < atoms; ++a)
        rows.push_back({a % 3 == 0 ? 6 : 1, 1.1 * (a % 5), 1.1 * ((a / 5) % 5), 1.1 * (a / 25)});
    GaussianOutputText out(kBanner16);
    // (The route, which an output echoes after its long header, is left
    // out: among the first lines it would make the text an input.)
    out.Line(" Charge =  0 Multiplicity = 1");
    char line[200];
    const auto table = [&](const char* header, const char* columns) {
        out.Line(header);
        out.Line(columns);
        for (int a = 0; a < atoms; ++a) {
            std::snprintf(line, sizeof line, " %5d  %-2s %10.6f", a + 1,
                          rows[static_cast<std::size_t>(a)].atomicNumber == 6 ? "C" : "H",
                          0.4 * unit(random));
            out.Line(line);
        }
    };
    for (int step = 0; step < steps; ++step) {
        for (OrientationRow& row : rows) {
            row.x += 0.005 * unit(random);
            row.y += 0.005 * unit(random);
        }
        out.Line(" Berny optimization.");
        out.Orientation("Input", rows);
        out.Orientation("Standard", rows);
        out.Line(" Rotational constants (GHZ):      1.1234567      0.9876543      0.5432109");
        for (int cycle = 1; cycle <= 115; ++cycle) {
            std::snprintf(line, sizeof line,
                          " E= -1234.%012.0f     Delta-E=       %.9f Rises=F Damp=F",
                          1e11 * (1.0 + unit(random)), 1e-3 * unit(random));
            out.Line(line);
            std::snprintf(line, sizeof line,
                          " RMSDP=%.2fD-05 MaxDP=%.2fD-03 DE=%.2fD-05 OVMax= %.2fD-03",
                          5.0 + 4.0 * unit(random), 5.0 + 4.0 * unit(random), unit(random),
                          5.0 + 4.0 * unit(random));
            out.Line(line);
            out.Line(" Cycle" + std::to_string(cycle) + "  Pass 1  IDiag  1:");
        }
        std::snprintf(line, sizeof line,
                      " SCF Done:  E(RB3LYP) =  -1234.%09d     A.U. after   14 cycles",
                      100000000 + step * 7);
        out.Line(line);
        out.Line("            NFock= 14  Conv=0.55D-08     -V/T= 2.0084");
        out.Line(" **********************************************************************");
        out.Line("            Population analysis using the SCF Density.");
        out.Line(" **********************************************************************");
        for (int k = 0; k < atoms / 5; ++k) {
            std::snprintf(line, sizeof line,
                          " Alpha  occ. eigenvalues --  %9.5f %9.5f %9.5f %9.5f %9.5f",
                          -10.0 + unit(random), -1.0 + unit(random), -0.8 + unit(random),
                          -0.5 + unit(random), -0.3 + unit(random));
            out.Line(line);
        }
        table(" Mulliken charges:", "               1");
        out.Line(" Sum of Mulliken charges =   0.00000");
        table(" Mulliken charges with hydrogens summed into heavy atoms:", "               1");
        out.Line(" Electronic spatial extent (au):  <R**2>=           2345.6789");
        out.Line(" Charge=              0.0000 electrons");
        out.Line(" Dipole moment (field-independent basis, Debye):");
        out.Line("    X=              0.0012    Y=             -0.0034    Z=              0.0056  "
                 "Tot=              0.0066");
        out.Line(" -------------------------------------------------------------------");
        out.Line(" Center     Atomic                   Forces (Hartrees/Bohr)");
        out.Line(" Number     Number              X              Y              Z");
        out.Line(" -------------------------------------------------------------------");
        for (int a = 0; a < atoms; ++a) {
            std::snprintf(line, sizeof line, " %6d %8d     %14.9f %14.9f %14.9f", a + 1,
                          rows[static_cast<std::size_t>(a)].atomicNumber, 1e-3 * unit(random),
                          1e-3 * unit(random), 1e-3 * unit(random));
            out.Line(line);
        }
        out.Line(" -------------------------------------------------------------------");
        out.Line(" Cartesian Forces:  Max     0.001234567 RMS     0.000456789");
        const bool last = step + 1 == steps;
        out.Line("         Item               Value     Threshold  Converged?");
        out.Line(last ? " Maximum Force            0.000012     0.000450     YES"
                      : " Maximum Force            0.001234     0.000450     NO ");
        out.Line(last ? " RMS     Force            0.000004     0.000300     YES"
                      : " RMS     Force            0.000456     0.000300     NO ");
        out.Line(last ? " Maximum Displacement     0.000123     0.001800     YES"
                      : " Maximum Displacement     0.012345     0.001800     NO ");
        out.Line(last ? " RMS     Displacement     0.000045     0.001200     YES"
                      : " RMS     Displacement     0.004567     0.001200     NO ");
        out.Line(" Predicted change in Energy=-1.234567D-05");
        out.Line(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad");
    }
    out.Line(" Optimization completed.");
    out.Line("    -- Stationary point found.");
    out.Line(" Normal termination of Gaussian 16 at Thu Dec 10 12:00:00 2026.");
    return out.Text();
}
