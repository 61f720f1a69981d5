#include "render/ColourScheme.h"

#include "model/CMolData.h"
#include "render/SurfaceState.h"

#include <QColor>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>

namespace {

Rgba Opaque(float r, float g, float b) {
    return {r, g, b, 1.0F};
}

// Residue r of frame when it has one of the tables SummariseResidues fills.
bool HasSummary(const CMolFrame& frame, int r) {
    return r >= 0 && r < static_cast<int>(frame.assignedSecondary.size()) &&
           r < static_cast<int>(frame.chainOrdinal.size()) &&
           r < static_cast<int>(frame.chainFraction.size());
}

} // namespace

namespace ColourSchemes {

Rgba ChainColour(int ordinal) {
    // Twelve colours far apart from one another and from the element
    // colours' greys, repeated after the twelfth chain.
    static const std::array<Rgba, 12> kChains = {
        Opaque(0.40F, 0.70F, 1.00F), Opaque(0.55F, 0.90F, 0.35F), Opaque(1.00F, 0.55F, 0.70F),
        Opaque(1.00F, 0.85F, 0.30F), Opaque(0.75F, 0.55F, 1.00F), Opaque(0.30F, 0.90F, 0.85F),
        Opaque(1.00F, 0.60F, 0.25F), Opaque(0.70F, 0.70F, 0.45F), Opaque(0.95F, 0.35F, 0.35F),
        Opaque(0.45F, 0.55F, 0.95F), Opaque(0.85F, 0.95F, 0.60F), Opaque(0.80F, 0.45F, 0.75F)};
    return kChains[static_cast<std::size_t>(std::max(ordinal, 0)) % kChains.size()];
}

Rgba SecondaryColour(char code) {
    switch (code) {
    case 'H':
        return Opaque(0.95F, 0.25F, 0.45F);
    case 'G':
        return Opaque(0.75F, 0.30F, 0.85F);
    case 'I':
        return Opaque(0.95F, 0.55F, 0.20F);
    case 'E':
        return Opaque(1.00F, 0.85F, 0.15F);
    case 'B':
        return Opaque(0.80F, 0.70F, 0.25F);
    case 'T':
        return Opaque(0.40F, 0.75F, 0.95F);
    case 'S':
        return Opaque(0.50F, 0.80F, 0.55F);
    default:
        return Opaque(0.85F, 0.85F, 0.85F);
    }
}

Rgba RainbowColour(float fraction) {
    // Hue from 240° (blue) down to 0° (red) at full saturation and value.
    const QColor colour =
        QColor::fromHsvF((1.0F - std::clamp(fraction, 0.0F, 1.0F)) * 240.0F / 360.0F, 1.0F, 1.0F);
    return Opaque(colour.redF(), colour.greenF(), colour.blueF());
}

Rgba BFactorColour(double value, double low, double high) {
    const std::array<float, 3> c = SurfaceState::RampColour(
        static_cast<float>(value), {static_cast<float>(low), static_cast<float>(high)});
    return Opaque(c[0], c[1], c[2]);
}

bool ResidueSchemeColour(int scheme, const CMolData& data, int g, int a, Rgba& colour,
                         bool fileSecondary) {
    const CMolFrame& frame = *data.GetFrame(g);
    if (!data.HasAtom(g, a))
        return false;
    if (scheme == kColourBFactor) {
        if (!(frame.bFactorHigh >= frame.bFactorLow))
            return false;
        colour = BFactorColour(frame.Atom(a).bFactor, frame.bFactorLow, frame.bFactorHigh);
        return true;
    }
    const int r = frame.Atom(a).residueIndex;
    if (!HasSummary(frame, r))
        return false;
    const std::size_t at = static_cast<std::size_t>(r);
    if (scheme == kColourChain) {
        colour = ChainColour(frame.chainOrdinal[at]);
        return true;
    }
    const std::vector<char>& codes = frame.Secondary(fileSecondary);
    if (at >= codes.size() || codes[at] == 0)
        return false;
    if (scheme == kColourSecondary) {
        colour = SecondaryColour(codes[at]);
        return true;
    }
    if (scheme == kColourRainbow) {
        colour = RainbowColour(frame.chainFraction[at]);
        return true;
    }
    return false;
}

std::vector<LegendEntry> Legend(int scheme, const CMolData& data, int g, bool fileSecondary) {
    const CMolFrame& frame = *data.GetFrame(g);
    std::vector<LegendEntry> legend;
    char text[64];
    if (scheme == kColourChain) {
        std::set<int> seen;
        for (std::size_t r = 0; r < frame.chainOrdinal.size() && r < frame.residueIds.size(); ++r) {
            const int ordinal = frame.chainOrdinal[r];
            if (seen.insert(ordinal).second) {
                const std::string& chain = frame.residueIds[r].chain;
                legend.push_back(
                    {ChainColour(ordinal),
                     chain.empty() ? QT_TRANSLATE_NOOP("ColourLegend", "(チェーンなし)") : chain});
            }
        }
    } else if (scheme == kColourSecondary) {
        static const std::pair<char, const char*> kNames[] = {
            {'H', QT_TRANSLATE_NOOP("ColourLegend", "H αヘリックス")},
            {'G', QT_TRANSLATE_NOOP("ColourLegend", "G 3₁₀ヘリックス")},
            {'I', QT_TRANSLATE_NOOP("ColourLegend", "I πヘリックス")},
            {'E', QT_TRANSLATE_NOOP("ColourLegend", "E ストランド")},
            {'B', QT_TRANSLATE_NOOP("ColourLegend", "B 孤立ブリッジ")},
            {'T', QT_TRANSLATE_NOOP("ColourLegend", "T ターン")},
            {'S', QT_TRANSLATE_NOOP("ColourLegend", "S ベンド")},
            {' ', QT_TRANSLATE_NOOP("ColourLegend", "- コイル")}};
        const std::vector<char>& codes = frame.Secondary(fileSecondary);
        const std::set<char> present(codes.begin(), codes.end());
        for (const auto& [code, name] : kNames) {
            if (present.count(code) != 0)
                legend.push_back({SecondaryColour(code), name});
        }
    } else if (scheme == kColourBFactor && frame.bFactorHigh >= frame.bFactorLow &&
               frame.atomCount > 0) {
        std::snprintf(text, sizeof text, "B %.2f", frame.bFactorHigh);
        legend.push_back({BFactorColour(1.0, 0.0, 1.0), text});
        std::snprintf(text, sizeof text, "B %.2f", 0.5 * (frame.bFactorLow + frame.bFactorHigh));
        legend.push_back({BFactorColour(0.5, 0.0, 1.0), text});
        std::snprintf(text, sizeof text, "B %.2f", frame.bFactorLow);
        legend.push_back({BFactorColour(0.0, 0.0, 1.0), text});
    } else if (scheme == kColourRainbow && !frame.chainFraction.empty()) {
        legend.push_back({RainbowColour(0.0F), QT_TRANSLATE_NOOP("ColourLegend", "N末端")});
        legend.push_back({RainbowColour(0.5F), QT_TRANSLATE_NOOP("ColourLegend", "中央")});
        legend.push_back({RainbowColour(1.0F), QT_TRANSLATE_NOOP("ColourLegend", "C末端")});
    }
    return legend;
}

std::vector<LegendEntry> ValueLegend(double range, int decimals) {
    std::vector<LegendEntry> legend;
    if (!(range > 0.0) || !std::isfinite(range))
        return legend;
    const float r = static_cast<float>(range);
    for (int k = 2; k >= -2; --k) {
        const double value = range * k / 2.0;
        const std::array<float, 3> c = SurfaceState::RampColour(static_cast<float>(value), {-r, r});
        char text[64];
        std::snprintf(text, sizeof text, "%+.*f", std::clamp(decimals, 0, 8), value);
        legend.push_back({Rgba{c[0], c[1], c[2], 1.0F}, k == 0 ? std::string("0") : text});
    }
    return legend;
}

} // namespace ColourSchemes
