#include "formats/GaussianPathScanner.h"

#include "model/CMolData.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return TextScanner::StartsWith(text, prefix);
}

// A number in Fortran's notation too ("-0.57500133812008D+03").
bool ParseFortran(std::string_view word, double& value) {
    std::string text(word);
    std::replace(text.begin(), text.end(), 'D', 'E');
    std::replace(text.begin(), text.end(), 'd', 'e');
    return TextScanner::ParseReal(text, value);
}

// The number after the first '=' that follows marker in line.
bool NumberAfter(std::string_view line, std::string_view marker, double& value) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos)
        return false;
    const std::size_t equals = line.find('=', at + marker.size() - 1);
    if (equals == std::string_view::npos)
        return false;
    TextScanner scan(line.substr(equals + 1));
    std::string_view word;
    return scan.Word(word) && ParseFortran(word, value);
}

} // namespace

void GaussianPathScanner::Feed(std::string_view line, int table) {
    const std::string_view trimmed = TextScanner::Trim(line);
    if (trimmed.empty())
        return;
    // The step energies above SCF, in the order their methods print them:
    // "E2 = … EUMP2 = …", "E3= … EUMP3= …", "E4(SDTQ)= … UMP4(SDTQ)= …",
    // "CCSD(T)= …", "Total Energy, E(TD-HF/TD-DFT) = …". Only lines that
    // begin so are searched, as an output has millions of others.
    const char first = trimmed.front();
    if (table >= 0 && (first == 'E' || first == 'C' || first == 'T')) {
        static constexpr std::string_view kCorrelated[] = {
            "EUMP2 =", "EUMP3=", "UMP4(SDTQ)=", "CCSD(T)=", "E(TD-HF/TD-DFT) ="};
        for (const std::string_view marker : kCorrelated) {
            double value = 0.0;
            if (NumberAfter(trimmed, marker, value))
                correlated_[table] = value;
        }
    }
    lastTable_ = table;
    // The lines the scan and the IRC are told by begin with these.
    switch (first) {
    case '!':
    case 'S':
    case 'O':
        FeedScan(trimmed, table);
        break;
    case 'R':
    case 'F':
    case 'E':
    case 'B':
    case 'P':
    case 'N':
        FeedIrc(trimmed, table);
        break;
    default:
        break;
    }
}

// "! D1    D(3,1,2,4)            114.3023         Scan                            !"
// in the first parameter table; "Step number   1 out of a maximum of   20 on
// scan point     2 out of    37"; "Optimization completed." or "Optimization
// stopped." at a point's end.
void GaussianPathScanner::FeedScan(std::string_view trimmed, int table) {
    if (!stepsBegun_ && trimmed.front() == '!') {
        const std::vector<std::string_view> words = TextScanner::Words(trimmed);
        ScanCoordinate coordinate;
        if (words.size() >= 6 && words[4] == "Scan" && words.back() == "!" &&
            coordinate.Define(words[2])) {
            coordinate.name = std::string(words[1]);
            coordinates_.push_back(std::move(coordinate));
        }
        return;
    }
    if (StartsWith(trimmed, "Step number")) {
        stepsBegun_ = true;
        const std::size_t at = trimmed.find("on scan point");
        if (at == std::string_view::npos)
            return;
        TextScanner scan(trimmed.substr(at + 13));
        int point = 0, planned = 0;
        std::string_view out, of;
        if (!scan.Int(point) || !scan.Word(out) || !scan.Word(of) || !scan.Int(planned))
            return;
        if (point != scanPoint_)
            scanPointDone_ = false;
        scanPoint_ = point;
        scanPointTable_ = table;
        planned_ = planned;
        return;
    }
    if (scanPoint_ > 0 && StartsWith(trimmed, "Optimization ")) {
        const bool completed = StartsWith(trimmed, "Optimization completed");
        if (!completed && !StartsWith(trimmed, "Optimization stopped"))
            return;
        if (!scanPointDone_) {
            Mark mark;
            mark.table = table;
            mark.number = scanPoint_;
            mark.converged = completed;
            marks_.push_back(mark);
        }
        scanPointDone_ = true;
    }
}

void GaussianPathScanner::FeedIrc(std::string_view trimmed, int table) {
    if (StartsWith(trimmed, "Rxn path following direction =")) {
        irc_ = true;
        firstDirection_ = trimmed.find("Reverse") != std::string_view::npos ? -1 : +1;
        direction_ = firstDirection_;
    } else if (StartsWith(trimmed, "Follow reaction path in both directions")) {
        irc_ = true;
        firstDirection_ = direction_ = +1;
    } else if (StartsWith(trimmed, "Energy From Chk =")) {
        double value = 0.0;
        if (NumberAfter(trimmed, "Energy From Chk", value))
            checkpointEnergy_ = value;
    } else if (StartsWith(trimmed, "Beginning calculation of the REVERSE path")) {
        direction_ = -1;
    } else if (StartsWith(trimmed, "Beginning calculation of the FORWARD path")) {
        direction_ = +1;
    } else if (irc_ && StartsWith(trimmed, "Point Number:")) {
        // "Point Number:   1          Path Number:   1"
        TextScanner scan(trimmed.substr(13));
        Mark mark;
        std::string_view pathWord, numberWord;
        if (!scan.Int(mark.number) || !scan.Word(pathWord) || !scan.Word(numberWord) ||
            !scan.Int(mark.path))
            return;
        // Path 1 goes the job's first way; a second path the other way.
        mark.direction = mark.number == 0 ? 0 : mark.path == 1 ? firstDirection_ : -firstDirection_;
        mark.table = table;
        if (mark.number == 0 &&
            std::any_of(marks_.begin(), marks_.end(), [](const Mark& m) { return m.number == 0; }))
            return;
        if (mark.number == 0)
            mark.coordinate = 0.0;
        marks_.push_back(mark);
    } else if (irc_ && !marks_.empty() &&
               StartsWith(trimmed, "NET REACTION COORDINATE UP TO THIS POINT")) {
        double value = 0.0;
        if (NumberAfter(trimmed, "NET REACTION COORDINATE", value))
            marks_.back().coordinate = marks_.back().direction < 0 ? -value : value;
    }
}

double GaussianPathScanner::EnergyOf(const CMolData& model, int table, int g) const {
    if (const auto found = correlated_.find(table); found != correlated_.end())
        return found->second;
    return g >= 0 ? model.Frame(g).energy : ReactionPath::kNotPrinted;
}

ReactionPath GaussianPathScanner::Path(const CMolData& model,
                                       const std::function<int(int)>& geometryOf) const {
    ReactionPath path;
    const bool scan = !irc_ && scanPoint_ > 0;
    if (!irc_ && !scan)
        return path;
    path.kind = irc_ ? ReactionPath::Kind::kIrc : ReactionPath::Kind::kScan;
    path.coordinates = coordinates_;
    path.plannedPoints = planned_;
    std::vector<Mark> marks = marks_;
    // A point begun and not reached: its steps are printed, its end is not.
    const int lastMarked = marks.empty() ? -1 : marks.back().table;
    if (scan && !scanPointDone_ && scanPointTable_ >= 0) {
        Mark open;
        open.table = scanPointTable_;
        open.number = scanPoint_;
        open.converged = false;
        marks.push_back(open);
    } else if (irc_ && model.termination != CMolData::Termination::kNormal &&
               lastTable_ > lastMarked && geometryOf(lastTable_) >= 0 &&
               std::isfinite(EnergyOf(model, lastTable_, geometryOf(lastTable_)))) {
        Mark open;
        open.table = lastTable_;
        open.direction = direction_;
        open.path = direction_ == firstDirection_ ? 1 : 2;
        int last = 0;
        for (const Mark& m : marks) {
            if (m.direction == direction_)
                last = std::max(last, m.number);
        }
        open.number = last + 1;
        open.converged = false;
        marks.push_back(open);
    }
    for (const Mark& mark : marks) {
        ReactionPath::Point point;
        point.geometry = mark.table >= 0 ? geometryOf(mark.table) : -1;
        point.number = mark.number;
        point.path = mark.path;
        point.direction = mark.direction;
        point.converged = mark.converged;
        point.energy = EnergyOf(model, mark.table, point.geometry);
        if (irc_ && mark.number == 0 && point.geometry < 0)
            point.energy = checkpointEnergy_;
        std::vector<Point3D> positions;
        for (int a = 0; a < model.AtomCount(point.geometry); ++a)
            positions.push_back(model.GetAtomPos(point.geometry, a));
        for (const ScanCoordinate& c : coordinates_)
            point.values.push_back(c.ValueAmong(positions));
        point.coordinate =
            irc_ ? mark.coordinate
                 : (point.values.empty() ? static_cast<double>(mark.number) : point.values.front());
        path.points.push_back(std::move(point));
    }
    // Reaction order; a point marked twice keeps its last mark.
    const auto key = [scan](const ReactionPath::Point& p) {
        if (scan)
            return std::pair{0, p.number};
        return std::pair{p.direction, p.direction < 0 ? -p.number : p.number};
    };
    std::stable_sort(path.points.begin(), path.points.end(),
                     [&](const ReactionPath::Point& a, const ReactionPath::Point& b) {
                         return key(a) < key(b);
                     });
    std::vector<ReactionPath::Point> unique;
    for (ReactionPath::Point& p : path.points) {
        if (!unique.empty() && key(unique.back()) == key(p))
            unique.back() = std::move(p);
        else
            unique.push_back(std::move(p));
    }
    path.points = std::move(unique);
    return path;
}
