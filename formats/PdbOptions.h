#pragma once

// The document's two PDB reading options.
struct PdbOptions {
    int conect = 0;   // nonzero: bonds from CONECT records instead of distances
    int bondMode = 1; // bond perception: 0 general, 1 protein list
};
