#include "model/SecondaryStructure.h"

#include "model/CMolFrame.h"
#include "model/Point3D.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

// Residues whose CA atoms lie further apart than this (Å) form no hydrogen
// bond worth counting; the search looks no further.
constexpr double kNeighbourCa = 9.0;
constexpr double kMinDistance = 0.5; // Å: closer atoms give the lowest energy
// The electrostatic model's constant: partial charges 0.42 e (C, O) and
// 0.20 e (N, H) times 332 kcal Å / (mol e²).
constexpr double kCoupling = 27.888;
constexpr double kLowestEnergy = -9.9; // kcal/mol
constexpr double kBondEnergy = -0.5;   // kcal/mol: a hydrogen bond lies below it
constexpr double kBendAngle = 70.0;    // degrees

struct Bond {
    int partner = -1;
    double energy = 0.0;
};

struct Residue {
    int index = 0; // residue index in the frame
    Point3D n, ca, c, o, h;
    bool proline = false;
    bool chainBreak = true;        // not joined to the residue before
    std::array<Bond, 2> acceptors; // the two lowest bonds of this N-H to a C=O
    std::array<Bond, 2> donors;    // the two lowest bonds of this C=O to an N-H
};

// Whether label names atom name with no alternate location or with one
// ("CA", "CA A").
bool IsAtom(const char* label, const char* name) {
    const std::size_t n = std::strlen(name);
    if (std::strncmp(label, name, n) != 0)
        return false;
    return label[n] == '\0' || (label[n] == ' ' && label[n + 1] != '\0' && label[n + 2] == '\0');
}

ResidueId IdOf(const CMolFrame& frame, int r) {
    return r < static_cast<int>(frame.residueIds.size())
               ? frame.residueIds[static_cast<std::size_t>(r)]
               : ResidueId();
}

// The chain residues with their amide hydrogens placed 1 Å from N opposite
// the C=O before (on N where none is before).
std::vector<Residue> Backbone(const CMolFrame& frame) {
    std::vector<Residue> list;
    for (const SecondaryStructure::ChainResidue& chain : SecondaryStructure::ChainResidues(frame)) {
        Residue residue;
        residue.index = chain.residue;
        residue.n = frame.Position(chain.n);
        residue.ca = frame.Position(chain.ca);
        residue.c = frame.Position(chain.c);
        residue.o = frame.Position(chain.o);
        residue.h = residue.n;
        residue.chainBreak = chain.chainBreak;
        residue.proline = frame.ResidueName(chain.ca) == "PRO";
        if (!residue.chainBreak) {
            const Residue& before = list.back();
            const Point3D co = Minus(before.c, before.o);
            const double length = Length(co);
            if (length > 0.0)
                residue.h = Plus(residue.n, Scaled(co, 1.0 / length));
        }
        list.push_back(residue);
    }
    return list;
}

void Keep(std::array<Bond, 2>& bonds, int partner, double energy) {
    if (energy < bonds[0].energy) {
        bonds[1] = bonds[0];
        bonds[0] = {partner, energy};
    } else if (energy < bonds[1].energy) {
        bonds[1] = {partner, energy};
    }
}

// The electrostatic energy of the bond from donor's N-H to acceptor's C=O,
// kept when it is among the two lowest of either.
void BondEnergy(std::vector<Residue>& list, int donorAt, int acceptorAt) {
    Residue& donor = list[static_cast<std::size_t>(donorAt)];
    Residue& acceptor = list[static_cast<std::size_t>(acceptorAt)];
    // Proline's N carries no hydrogen.
    const double energy =
        donor.proline
            ? 0.0
            : SecondaryStructure::HydrogenBondEnergy(donor.n, donor.h, acceptor.c, acceptor.o);
    Keep(donor.acceptors, acceptorAt, energy);
    Keep(acceptor.donors, donorAt, energy);
}

// Every pair of residues whose CA atoms are nearer than kNeighbourCa, in
// the order (i, j), i < j: a grid of cells that wide finds them without
// comparing every pair.
std::vector<std::pair<int, int>> NeighbourPairs(const std::vector<Residue>& list) {
    struct CellHash {
        std::size_t operator()(const std::array<long long, 3>& c) const {
            return static_cast<std::size_t>(c[0] * 73856093LL ^ c[1] * 19349663LL ^
                                            c[2] * 83492791LL);
        }
    };
    const auto cellOf = [](const Point3D& p) {
        return std::array<long long, 3>{static_cast<long long>(std::floor(p.x / kNeighbourCa)),
                                        static_cast<long long>(std::floor(p.y / kNeighbourCa)),
                                        static_cast<long long>(std::floor(p.z / kNeighbourCa))};
    };
    std::unordered_map<std::array<long long, 3>, std::vector<int>, CellHash> cells;
    for (std::size_t i = 0; i < list.size(); ++i)
        cells[cellOf(list[i].ca)].push_back(static_cast<int>(i));
    std::vector<std::pair<int, int>> pairs;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::array<long long, 3> cell = cellOf(list[i].ca);
        for (long long dx = -1; dx <= 1; ++dx) {
            for (long long dy = -1; dy <= 1; ++dy) {
                for (long long dz = -1; dz <= 1; ++dz) {
                    const auto near = cells.find({cell[0] + dx, cell[1] + dy, cell[2] + dz});
                    if (near == cells.end())
                        continue;
                    for (const int j : near->second) {
                        if (j > static_cast<int>(i) &&
                            Length(Minus(list[i].ca, list[static_cast<std::size_t>(j)].ca)) <
                                kNeighbourCa)
                            pairs.emplace_back(static_cast<int>(i), j);
                    }
                }
            }
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// One ladder: consecutive bridges of one kind (or bridges joined by a
// bulge), the residues of its two strands.
struct Ladder {
    bool parallel = false;
    std::deque<int> i, j;
};

class Assignment {
public:
    explicit Assignment(std::vector<Residue> list)
        : list_(std::move(list)), count_(static_cast<int>(list_.size())), ss_(list_.size(), ' ') {
        breaksBefore_.assign(list_.size() + 1, 0);
        for (int k = 0; k < count_; ++k)
            breaksBefore_[static_cast<std::size_t>(k) + 1] =
                breaksBefore_[static_cast<std::size_t>(k)] + (At(k).chainBreak ? 1 : 0);
    }

    std::vector<char> Run() {
        for (const auto& [i, j] : NeighbourPairs(list_)) {
            BondEnergy(list_, i, j);
            if (j != i + 1)
                BondEnergy(list_, j, i);
        }
        Sheets();
        Helices();
        TurnsAndBends();
        return ss_;
    }

private:
    const Residue& At(int k) const { return list_[static_cast<std::size_t>(k)]; }
    char& Ss(int k) { return ss_[static_cast<std::size_t>(k)]; }

    // Whether residues first ... last are one chain without a gap.
    bool Joined(int first, int last) const {
        return breaksBefore_[static_cast<std::size_t>(last) + 1] -
                   breaksBefore_[static_cast<std::size_t>(first) + 1] ==
               0;
    }
    // Whether the N-H of residue donor bonds to the C=O of residue acceptor.
    bool Bonded(int donor, int acceptor) const {
        for (const Bond& bond : At(donor).acceptors) {
            if (bond.partner == acceptor && bond.energy < kBondEnergy)
                return true;
        }
        return false;
    }
    // An n-turn at i: the C=O of i bonds to the N-H of i + n.
    bool Turn(int n, int i) const {
        return i >= 0 && i + n < count_ && Joined(i, i + n) && Bonded(i + n, i);
    }

    enum class Bridge { kNone, kParallel, kAntiparallel };
    Bridge BridgeOf(int i, int j) const {
        if (i < 1 || j < 1 || i + 1 >= count_ || j + 1 >= count_ || !Joined(i - 1, i + 1) ||
            !Joined(j - 1, j + 1))
            return Bridge::kNone;
        const int a = i - 1, b = i, c = i + 1, d = j - 1, e = j, f = j + 1;
        if ((Bonded(c, e) && Bonded(e, a)) || (Bonded(f, b) && Bonded(b, d)))
            return Bridge::kParallel;
        if ((Bonded(c, d) && Bonded(f, a)) || (Bonded(e, b) && Bonded(b, e)))
            return Bridge::kAntiparallel;
        return Bridge::kNone;
    }

    // The residues j (j ≥ i + 3) that may bridge with i: every bridge
    // pattern bonds a residue next to i to one next to j.
    std::vector<int> BridgeCandidates(int i) const {
        std::vector<int> candidates;
        for (int k = i - 1; k <= i + 1; ++k) {
            if (k < 0 || k >= count_)
                continue;
            for (const auto* bonds : {&At(k).acceptors, &At(k).donors}) {
                for (const Bond& bond : *bonds) {
                    if (bond.partner < 0 || bond.energy >= kBondEnergy)
                        continue;
                    for (int j = bond.partner - 1; j <= bond.partner + 1; ++j) {
                        if (j >= i + 3 && j + 1 < count_)
                            candidates.push_back(j);
                    }
                }
            }
        }
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        return candidates;
    }

    void Sheets() {
        std::vector<Ladder> ladders;
        for (int i = 1; i + 4 < count_; ++i) {
            for (const int j : BridgeCandidates(i)) {
                const Bridge bridge = BridgeOf(i, j);
                if (bridge == Bridge::kNone)
                    continue;
                const bool parallel = bridge == Bridge::kParallel;
                bool extended = false;
                for (Ladder& ladder : ladders) {
                    if (ladder.parallel != parallel || i != ladder.i.back() + 1)
                        continue;
                    if (parallel && ladder.j.back() + 1 == j) {
                        ladder.i.push_back(i);
                        ladder.j.push_back(j);
                        extended = true;
                        break;
                    }
                    if (!parallel && ladder.j.front() - 1 == j) {
                        ladder.i.push_back(i);
                        ladder.j.push_front(j);
                        extended = true;
                        break;
                    }
                }
                if (!extended)
                    ladders.push_back({parallel, {i}, {j}});
            }
        }
        JoinBulges(ladders);
        for (const Ladder& ladder : ladders) {
            const char code = ladder.i.size() > 1 ? 'E' : 'B';
            for (const auto* strand : {&ladder.i, &ladder.j}) {
                for (int k = strand->front(); k <= strand->back(); ++k) {
                    if (Ss(k) != 'E')
                        Ss(k) = code;
                }
            }
        }
    }

    // Joins two ladders of one kind whose strands continue each other across
    // a bulge: a gap of at most one residue on one strand and four on the
    // other.
    void JoinBulges(std::vector<Ladder>& ladders) const {
        // How far on from `from` `to` lies; a residue before it is never near.
        const auto gap = [](int from, int to) { return to >= from ? to - from : INT_MAX; };
        for (std::size_t x = 0; x < ladders.size(); ++x) {
            for (std::size_t y = x + 1; y < ladders.size(); ++y) {
                Ladder& p = ladders[x];
                const Ladder& q = ladders[y];
                const int ibi = p.i.front(), iei = p.i.back(), jbi = p.j.front(), jei = p.j.back();
                const int ibj = q.i.front(), iej = q.i.back(), jbj = q.j.front(), jej = q.j.back();
                if (p.parallel != q.parallel || !Joined(std::min(ibi, ibj), std::max(iei, iej)) ||
                    !Joined(std::min(jbi, jbj), std::max(jei, jej)) || gap(iei, ibj) >= 6 ||
                    (iei >= ibj && ibi <= iej))
                    continue;
                const int otherGap = p.parallel ? gap(jei, jbj) : gap(jej, jbi);
                const bool bulge = (otherGap < 6 && gap(iei, ibj) < 3) || otherGap < 3;
                if (!bulge)
                    continue;
                p.i.insert(p.i.end(), q.i.begin(), q.i.end());
                if (p.parallel)
                    p.j.insert(p.j.end(), q.j.begin(), q.j.end());
                else
                    p.j.insert(p.j.begin(), q.j.begin(), q.j.end());
                ladders.erase(ladders.begin() + static_cast<std::ptrdiff_t>(y));
                y = x;
            }
        }
    }

    // Two consecutive n-turns at i − 1 and i make residues i ... i + n − 1
    // a helix of that kind.
    void Helix(int n, char code, const char* mayReplace) {
        for (int i = 1; i + n < count_; ++i) {
            if (!Turn(n, i) || !Turn(n, i - 1))
                continue;
            bool free = true;
            for (int k = i; k < i + n && free; ++k)
                free = std::strchr(mayReplace, Ss(k)) != nullptr;
            if (!free)
                continue;
            for (int k = i; k < i + n; ++k)
                Ss(k) = code;
        }
    }

    void Helices() {
        // The α-helix takes any residue, the 3₁₀-helix only those still free
        // or its own, the π-helix those and the α-helix's.
        Helix(4, 'H', "HGIEB ");
        Helix(3, 'G', "G ");
        Helix(5, 'I', "IH ");
    }

    void TurnsAndBends() {
        for (int i = 1; i + 1 < count_; ++i) {
            if (Ss(i) != ' ')
                continue;
            bool turn = false;
            for (int n = 3; n <= 5 && !turn; ++n) {
                for (int k = 1; k < n && !turn; ++k)
                    turn = Turn(n, i - k);
            }
            if (turn)
                Ss(i) = 'T';
            else if (Bend(i))
                Ss(i) = 'S';
        }
    }

    // The CA chain turns by more than kBendAngle at i, over two residues
    // each way.
    bool Bend(int i) const {
        if (i < 2 || i + 2 >= count_ || !Joined(i - 2, i + 2))
            return false;
        const Point3D in = Minus(At(i).ca, At(i - 2).ca);
        const Point3D out = Minus(At(i + 2).ca, At(i).ca);
        const double lengths = Length(in) * Length(out);
        if (lengths <= 0.0)
            return false;
        const double cosine = std::clamp(Dot(in, out) / lengths, -1.0, 1.0);
        return std::acos(cosine) * 180.0 / M_PI > kBendAngle;
    }

    std::vector<Residue> list_;
    int count_ = 0;
    std::vector<char> ss_;
    std::vector<int> breaksBefore_; // chain breaks among residues 0 ... k − 1
};

} // namespace

std::vector<SecondaryStructure::ChainResidue>
SecondaryStructure::ChainResidues(const CMolFrame& frame) {
    static const char* const kNames[4] = {"N", "CA", "C", "O"};
    std::vector<ChainResidue> list;
    for (const auto& [r, atoms] : frame.residueAtoms) {
        std::array<int, 4> found = {-1, -1, -1, -1};
        for (const int a : atoms) {
            for (std::size_t k = 0; k < 4; ++k) {
                if (found[k] < 0 && IsAtom(frame.Atom(a).label, kNames[k]))
                    found[k] = a;
            }
        }
        if (std::find(found.begin(), found.end(), -1) != found.end())
            continue;
        ChainResidue residue{r, found[0], found[1], found[2], found[3], true};
        if (!list.empty()) {
            const ChainResidue& before = list.back();
            const ResidueId here = IdOf(frame, r), last = IdOf(frame, before.residue);
            // A second residue at the same place is an alternate of the
            // first (another residue type in part of the crystal's cells):
            // the first one stands for it.
            if (!here.chain.empty() && here.chain == last.chain && here.number == last.number &&
                here.insertion == last.insertion)
                continue;
            residue.chainBreak =
                here.chain != last.chain ||
                Length(Minus(frame.Position(residue.n), frame.Position(before.c))) >
                    SecondaryStructure::kMaxPeptideBond;
        }
        list.push_back(residue);
    }
    return list;
}

double SecondaryStructure::HydrogenBondEnergy(const Point3D& n, const Point3D& h, const Point3D& c,
                                              const Point3D& o) {
    const double ho = Length(Minus(h, o));
    const double hc = Length(Minus(h, c));
    const double nc = Length(Minus(n, c));
    const double no = Length(Minus(n, o));
    if (ho < kMinDistance || hc < kMinDistance || nc < kMinDistance || no < kMinDistance)
        return kLowestEnergy;
    const double energy = kCoupling * (1.0 / no + 1.0 / hc - 1.0 / ho - 1.0 / nc);
    // Energies are compared in whole cal/mol, as the method defines them.
    return std::max(std::round(energy * 1000.0) / 1000.0, kLowestEnergy);
}

SecondaryStructure SecondaryStructure::Assign(const CMolFrame& frame) {
    SecondaryStructure result;
    std::vector<Residue> list = Backbone(frame);
    for (const Residue& residue : list)
        result.residues.push_back(residue.index);
    const std::vector<char> codes = Assignment(std::move(list)).Run();
    int size = frame.residueCount;
    for (const int r : result.residues)
        size = std::max(size, r + 1);
    result.codes.assign(static_cast<std::size_t>(size), 0);
    for (std::size_t k = 0; k < codes.size(); ++k)
        result.codes[static_cast<std::size_t>(result.residues[k])] = codes[k];
    return result;
}
