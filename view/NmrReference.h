#pragma once

// The shielding an element's chemical shifts are taken against, kept in the
// settings per element, shared by the results panel and the NMR spectrum.
class NmrReference {
public:
    // The reference shielding of an element as stored, or the built-in
    // default (tetramethylsilane at B3LYP/6-311+G(2d,p) for H and C); NaN
    // when there is none.
    static double Shielding(int element);
    static void SetShielding(int element, double ppm);
};
