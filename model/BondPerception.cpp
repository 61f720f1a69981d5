#include "model/BondPerception.h"

#include "model/BondLimits.h"
#include "model/CMolFrame.h"
#include "model/ElementTable.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Positions and element numbers, packed for the inner loop.
struct PackedAtom {
    double x, y, z;
    int element;
};

// Last atom index each atom may bond to (inclusive); -1 for none.
std::vector<int> WindowEnds(const CMolFrame& frame, int mode) {
    const int n = frame.atomCount;
    if (mode == 0)
        return std::vector<int>(static_cast<std::size_t>(n), n - 1);
    std::vector<int> ends(static_cast<std::size_t>(n), -1);
    // A geometry without residues has no residue window to pair within.
    if (frame.residueCount <= 0)
        return ends;
    for (int a = 0; a < n; ++a) {
        int r = frame.Atom(a).residueIndex + 1;
        if (r >= frame.residueCount)
            r = frame.residueCount - 1;
        auto it = frame.residueAtoms.find(r);
        if (it != frame.residueAtoms.end() && !it->second.empty())
            ends[static_cast<std::size_t>(a)] = std::min(it->second.back(), n - 1);
    }
    return ends;
}

// Atoms sorted into cubic cells, each cell's atoms in ascending index order.
class CellGrid {
public:
    CellGrid(const std::vector<PackedAtom>& atoms, const std::vector<bool>& finite, double reach)
        : atoms_(atoms) {
        const std::size_t n = atoms.size();
        bool any = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (!finite[i])
                continue;
            const PackedAtom& p = atoms[i];
            if (!any) {
                lo_[0] = hi_[0] = p.x;
                lo_[1] = hi_[1] = p.y;
                lo_[2] = hi_[2] = p.z;
                any = true;
            }
            lo_[0] = std::min(lo_[0], p.x), hi_[0] = std::max(hi_[0], p.x);
            lo_[1] = std::min(lo_[1], p.y), hi_[1] = std::max(hi_[1], p.y);
            lo_[2] = std::min(lo_[2], p.z), hi_[2] = std::max(hi_[2], p.z);
        }
        ChooseCellSize(reach, n);
        std::vector<int> cellOf(n, -1);
        cellStart_.assign(static_cast<std::size_t>(dims_[0]) * dims_[1] * dims_[2] + 1, 0);
        for (std::size_t i = 0; i < n; ++i) {
            if (!finite[i])
                continue;
            cellOf[i] = CellIndex(Coord(atoms[i], 0), Coord(atoms[i], 1), Coord(atoms[i], 2));
            ++cellStart_[static_cast<std::size_t>(cellOf[i]) + 1];
        }
        for (std::size_t c = 1; c < cellStart_.size(); ++c)
            cellStart_[c] += cellStart_[c - 1];
        cellAtoms_.resize(static_cast<std::size_t>(cellStart_.back()));
        positionOf_.assign(n, -1);
        std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
        for (std::size_t i = 0; i < n; ++i) {
            if (cellOf[i] >= 0) {
                positionOf_[i] = fill[cellOf[i]]++;
                cellAtoms_[static_cast<std::size_t>(positionOf_[i])] = static_cast<int>(i);
            }
        }
        nextLive_.resize(cellAtoms_.size() + 1);
        for (std::size_t k = 0; k < nextLive_.size(); ++k)
            nextLive_[k] = static_cast<int>(k);
    }

    // Takes atom a out of the lists that Candidates(..., liveOnly) walks.
    void Retire(int a) {
        const int position = positionOf_[static_cast<std::size_t>(a)];
        if (position >= 0)
            nextLive_[static_cast<std::size_t>(position)] = position + 1;
    }

    // Fills out with the atoms b, first <= b <= last, of the cells around
    // atom a, in ascending order; with liveOnly, only those not retired.
    void Candidates(int a, int first, int last, bool liveOnly, std::vector<int>& out) {
        out.clear();
        const PackedAtom& p = atoms_[static_cast<std::size_t>(a)];
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = AxisCell(Coord(p, k), k);
        for (int ix = std::max(c[0] - 1, 0); ix <= std::min(c[0] + 1, dims_[0] - 1); ++ix) {
            for (int iy = std::max(c[1] - 1, 0); iy <= std::min(c[1] + 1, dims_[1] - 1); ++iy) {
                for (int iz = std::max(c[2] - 1, 0); iz <= std::min(c[2] + 1, dims_[2] - 1); ++iz) {
                    const std::size_t cell = Linear(ix, iy, iz);
                    const int* begin = cellAtoms_.data() + cellStart_[cell];
                    const int* end = cellAtoms_.data() + cellStart_[cell + 1];
                    const int* it = std::lower_bound(begin, end, first);
                    if (!liveOnly) {
                        for (; it != end && *it <= last; ++it)
                            out.push_back(*it);
                        continue;
                    }
                    const int stop = cellStart_[cell + 1];
                    for (int k = NextLive(static_cast<int>(it - cellAtoms_.data()));
                         k < stop && cellAtoms_[static_cast<std::size_t>(k)] <= last;
                         k = NextLive(k + 1))
                        out.push_back(cellAtoms_[static_cast<std::size_t>(k)]);
                }
            }
        }
        std::sort(out.begin(), out.end());
    }

private:
    static double Coord(const PackedAtom& p, int k) { return k == 0 ? p.x : k == 1 ? p.y : p.z; }

    // The first position from k on whose atom is not retired (the end of
    // the list when none is); the paths walked are shortened for next time.
    int NextLive(int k) {
        int root = k;
        while (nextLive_[static_cast<std::size_t>(root)] != root)
            root = nextLive_[static_cast<std::size_t>(root)];
        while (nextLive_[static_cast<std::size_t>(k)] != root) {
            const int next = nextLive_[static_cast<std::size_t>(k)];
            nextLive_[static_cast<std::size_t>(k)] = root;
            k = next;
        }
        return root;
    }

    // Cells at least as wide as reach; wider where the box is so large or
    // sparse that cells would far outnumber atoms. A folded protein's box
    // holds some 8 to 10 cells of bonding size per atom, so 16 leaves it its
    // natural cells (fewer, larger ones cost twice the time) for 4 × 16
    // bytes of index per atom.
    void ChooseCellSize(double reach, std::size_t n) {
        const double budget = 16.0 * static_cast<double>(n) + 64.0;
        size_ = reach;
        for (;;) {
            double cells = 1.0;
            for (int k = 0; k < 3; ++k)
                cells *= AxisDims(k);
            if (cells <= budget)
                break;
            size_ *= 1.5;
        }
        for (int k = 0; k < 3; ++k)
            dims_[k] = static_cast<int>(AxisDims(k));
    }

    // Cell count along axis k; an axis whose extent overflows gets one cell.
    double AxisDims(int k) const {
        const double extent = hi_[k] - lo_[k];
        if (!std::isfinite(extent) || !std::isfinite(size_))
            return 1.0;
        return std::floor(extent / size_) + 1.0;
    }

    int AxisCell(double v, int k) const {
        if (dims_[k] == 1)
            return 0;
        const double cell = std::floor((v - lo_[k]) / size_);
        return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(dims_[k] - 1)));
    }

    int CellIndex(double x, double y, double z) const {
        return static_cast<int>(Linear(AxisCell(x, 0), AxisCell(y, 1), AxisCell(z, 2)));
    }

    std::size_t Linear(int ix, int iy, int iz) const {
        return (static_cast<std::size_t>(ix) * dims_[1] + iy) * dims_[2] + iz;
    }

    const std::vector<PackedAtom>& atoms_;
    double lo_[3] = {0, 0, 0};
    double hi_[3] = {0, 0, 0};
    double size_ = 1.0;
    int dims_[3] = {1, 1, 1};
    std::vector<int> cellStart_;
    std::vector<int> cellAtoms_;
    std::vector<int> positionOf_; // atom → its place in cellAtoms_, -1 for none
    std::vector<int> nextLive_;   // place → a place at or after it, towards a live atom
};

// Largest squared limit between any two elements present; 0 when no pair can
// bond at all.
double LargestLimit(const std::vector<PackedAtom>& atoms, const BondLimits& limits) {
    std::vector<bool> seen(ElementTable::kRowCount, false);
    std::vector<int> present;
    for (const PackedAtom& p : atoms) {
        if (!seen[static_cast<std::size_t>(p.element)]) {
            seen[static_cast<std::size_t>(p.element)] = true;
            present.push_back(p.element);
        }
    }
    double largest = 0.0;
    for (std::size_t i = 0; i < present.size(); ++i) {
        for (std::size_t j = i; j < present.size(); ++j)
            largest = std::max(largest, limits.Squared(present[i], present[j]));
    }
    return largest;
}

// Windows this short are scanned directly: cheaper than visiting 27 cells.
constexpr int kDirectWindow = 32;
// Molecules this small are scanned pair by pair whole: building the grid
// for them costs more than their thousand or so pairs (an optimisation of a
// small molecule has a thousand such geometries).
constexpr int kDirectMolecule = 64;

} // namespace

void PerceiveFrameBonds(CMolFrame& frame, int mode, const BondLimits& limits) {
    if (mode != 0 && mode != 1)
        return;
    const int n = frame.atomCount;
    for (MolAtom& atom : frame.atoms)
        atom.bondCount = 0;
    if (n < 2)
        return;

    std::vector<PackedAtom> packed(static_cast<std::size_t>(n));
    std::vector<bool> finite(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const MolAtom& atom = frame.Atom(i);
        packed[static_cast<std::size_t>(i)] = {atom.x, atom.y, atom.z,
                                               ElementTable::Clamp(atom.element)};
        // A coordinate that is NaN or infinite fails every distance test.
        finite[static_cast<std::size_t>(i)] =
            std::isfinite(atom.x) && std::isfinite(atom.y) && std::isfinite(atom.z);
    }
    const double largest = LargestLimit(packed, limits);
    if (!(largest > 0.0))
        return;
    const std::vector<int> ends = WindowEnds(frame, mode);

    std::optional<CellGrid> grid; // built when the first long window needs it
    const auto full = [&frame](int a) { return frame.Atom(a).bondCount >= MolAtom::kMaxBonds; };
    auto add = [&](int a, int b) {
        MolAtom& p = frame.Atom(a);
        if (p.bondCount >= MolAtom::kMaxBonds)
            return;
        p.bonded[p.bondCount++] = b;
        if (grid && p.bondCount == MolAtom::kMaxBonds)
            grid->Retire(a);
    };
    auto record = [&add](int a, int b) {
        add(a, b);
        add(b, a);
    };
    auto test = [&packed, &limits](int a, int b) {
        const PackedAtom& p = packed[static_cast<std::size_t>(a)];
        const PackedAtom& q = packed[static_cast<std::size_t>(b)];
        const double d2 =
            (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) + (p.z - q.z) * (p.z - q.z);
        return d2 < limits.Squared(p.element, q.element);
    };

    // A margin keeps pairs right at the limit from falling two cells apart
    // through rounding.
    const double reach = std::sqrt(largest) * (1.0 + 1e-9) + 1e-12;
    std::vector<int> candidates;
    for (int a = 0; a < n - 1; ++a) {
        const int last = ends[static_cast<std::size_t>(a)];
        if (last <= a || !finite[static_cast<std::size_t>(a)])
            continue;
        if (last - a <= kDirectWindow || n <= kDirectMolecule) {
            for (int b = a + 1; b <= last; ++b) {
                if (test(a, b))
                    record(a, b);
            }
            continue;
        }
        if (!grid) {
            grid.emplace(packed, finite, reach);
            for (int b = 0; b < n; ++b) {
                if (full(b))
                    grid->Retire(b);
            }
        }
        // A pair changes nothing when both atoms have all their partners, so
        // an atom that has them all looks only at atoms that do not: atoms
        // piled on one spot cost their partner limit, not their number.
        grid->Candidates(a, a + 1, last, full(a), candidates);
        for (int b : candidates) {
            if (test(a, b))
                record(a, b);
        }
    }
    DropChelateContacts(frame, limits);
}

namespace {

bool HasBuiltInLimits(int element) {
    switch (element) {
    case 1:  // H
    case 6:  // C
    case 7:  // N
    case 8:  // O
    case 9:  // F
    case 15: // P
    case 16: // S
    case 17: // Cl
    case 35: // Br
        return true;
    default:
        return false;
    }
}

double Distance(const MolAtom& p, const MolAtom& q) {
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

bool BondedTo(const MolAtom& atom, int b) {
    const int count = std::min(atom.bondCount, MolAtom::kMaxBonds);
    return std::find(atom.bonded, atom.bonded + count, b) != atom.bonded + count;
}

void Unbond(MolAtom& atom, int b) {
    const int count = std::min(atom.bondCount, MolAtom::kMaxBonds);
    int* end = std::remove(atom.bonded, atom.bonded + count, b);
    atom.bondCount = static_cast<int>(end - atom.bonded);
}

} // namespace

void DropChelateContacts(CMolFrame& frame, const BondLimits& limits) {
    const int n = frame.atomCount;
    std::vector<std::pair<int, int>> dropped;
    for (int m = 0; m < n; ++m) {
        const MolAtom& metal = frame.Atom(m);
        if (metal.element == 0 || HasBuiltInLimits(metal.element))
            continue;
        const int count = std::min(metal.bondCount, MolAtom::kMaxBonds);
        for (int k = 0; k < count; ++k) {
            const int x = metal.bonded[k];
            const MolAtom& ligand = frame.Atom(x);
            if (!HasBuiltInLimits(ligand.element) ||
                !limits.IsFromRadii(metal.element, ligand.element))
                continue;
            const double distance = Distance(metal, ligand);
            if (distance < BondLimits::kDefaultDistance)
                continue; // bonded under any limit
            const double far = distance - kChelateMargin;
            for (int j = 0; j < count; ++j) {
                const int y = metal.bonded[j];
                if (y != x && BondedTo(ligand, y) && Distance(metal, frame.Atom(y)) < far) {
                    dropped.emplace_back(m, x);
                    break;
                }
            }
        }
    }
    // Dropped only after every test, so that one removal cannot decide another.
    for (const auto& [m, x] : dropped) {
        Unbond(frame.Atom(m), x);
        Unbond(frame.Atom(x), m);
    }
}
