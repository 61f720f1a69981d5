#pragma once

// Ids of the dialogs' controls. Each control carries its id as its object
// name (QString::number(id)), by which it is found.
namespace ControlIds {

// Measurement dialogs.
constexpr int kDistance = 1002;
constexpr int kFirstNumber = 1003;
constexpr int kFirstSymbol = 1004;
constexpr int kSecondNumber = 1005;
constexpr int kSecondSymbol = 1006;
constexpr int kAngle = 1007;
constexpr int kThirdNumber = 1008;
constexpr int kThirdSymbol = 1009;
constexpr int kFourthNumber = 1010;
constexpr int kFourthSymbol = 1011;
constexpr int kDihedral = 1012;

// Program settings.
constexpr int kUseConect = 1013;
constexpr int kFastProteinList = 1014;
constexpr int kInitStart = 1025;
constexpr int kOpenMaximised = 1029;
constexpr int kWarningLevel = 1044;
constexpr int kLanguage = 1060;
constexpr int kOpenAlongAxes = 1061;

// Display settings: general page.
constexpr int kAntialiasing = 1022;
constexpr int kResolution = 1023;
constexpr int kSaveImages = 1026;
constexpr int kAnimationTitle = 1027;
constexpr int kAnimationStart = 1028;
constexpr int kGeometry = 1034;
constexpr int kHideAtoms = 1037;
constexpr int kWireAtomSize = 1051;
constexpr int kWireBondWidth = 1052;
constexpr int kBallAtomSize = 1053;
constexpr int kBallBondWidth = 1054;

// Display settings: residue page (its list shares the id of the program
// settings' check box; they are never in one dialog).
constexpr int kResidueList = 1014;
// The three display modes, in order: 表示, 非表示, 全表示.
constexpr int kResidueModeFirst = 1015;

} // namespace ControlIds
