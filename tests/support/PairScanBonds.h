#pragma once

class BondLimits;
class CMolFrame;

// Bond perception by the plain scan over every pair in the window: a for
// every atom, b from a + 1 to the window end. Slow, obviously right; the
// oracle the grid-based perception is compared with.
void PairScanBonds(CMolFrame& frame, int mode, const BondLimits& limits);

// A limit table holding the built-in pairs, as a new document has it.
const BondLimits& BuiltInBondLimits();
