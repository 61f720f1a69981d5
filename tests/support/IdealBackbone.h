#pragma once

#include "model/Point3D.h"

#include <string>
#include <utility>
#include <vector>

// Peptide backbones of ideal geometry, for tests and benchmarks of what is
// read from protein structure.
struct BackboneResidue {
    Point3D n, ca, c, o;
};

// The backbone with the given (φ, ψ) of each residue in degrees: standard
// bond lengths and angles, planar trans peptide bonds, each O opposite the
// next residue's N.
std::vector<BackboneResidue> IdealBackbone(const std::vector<std::pair<double, double>>& phiPsi);

// The residues turned half a turn about the axis through point along the
// unit vector axis.
std::vector<BackboneResidue> HalfTurn(const std::vector<BackboneResidue>& residues,
                                      const Point3D& point, const Point3D& axis);

// One chain of a PDB text.
struct BackboneChain {
    char id = 'A';
    std::vector<BackboneResidue> residues;
    std::string residueName = "ALA";
    int firstNumber = 1;
    double bFactor = 20.0;
    // Side-chain atoms written after the backbone's (CB, CG, CD, OE1: up to
    // four), in a straight line from CA away from N and C.
    int sideChainAtoms = 0;
};
// The chains as ATOM records (N, CA, C, O of each residue and its side
// chain) after a HEADER.
std::string BackbonePdb(const std::vector<BackboneChain>& chains);

// A generated protein of about atomCount atoms, eight a residue (GLU: the
// backbone and a straight side chain of four): α-helices of 40 residues
// standing side by side 10 Å apart on a square grid, each its own chain (ids
// A ... Z again and again), with antiparallel two-stranded sheets of
// 10-residue strands between every fourth pair of rows.
std::string IdealProteinPdb(int atomCount);
