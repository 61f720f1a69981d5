#pragma once

// Numbers of the commands of the menus, accelerators and toolbar.
namespace CommandIds {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kFileMru1 = 57616; // File 1 ... File 4 of the recent-file list
constexpr int kFileMru4 = 57619;
constexpr int kSavePicture = 32774;
constexpr int kAppExit = 57665;

// Edit
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kProgramSettings = 32779;

// View
constexpr int kAnimation = 32771;
constexpr int kWireFrame = 32772;
constexpr int kBallAndStick = 32773;
constexpr int kBackgroundColour = 32775;
constexpr int kVibration = 32776;
constexpr int kColourByAtom = 32777;
constexpr int kColourByResidue = 32778;
constexpr int kDisplaySettings = 32782;
constexpr int kRibbon = 32784;
constexpr int kShowHydrogens = 32785;
constexpr int kWindowPositionSave = 32788;
constexpr int kWindowPositionDefault = 32789;
constexpr int kLabelColour = 32790;
constexpr int kLabelClear = 32794;
constexpr int kLabelAll = 32796;
constexpr int kNormalModes = 32800;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;

// Analysis
constexpr int kPeptideStructure = 32783;
constexpr int kIrSpectrum = 32801;
constexpr int kSaveSpectrum = 32802;
constexpr int kOptimisationChart = 32803;
constexpr int kSaveChartData = 32804;
constexpr int kFollowJob = 32805;
constexpr int kResetView = 32806;
constexpr int kFullScreen = 32807;
constexpr int kCloseWindow = 32808;
constexpr int kSaveMovieGif = 32809;
constexpr int kSaveMovieMp4 = 32810;
constexpr int kSavePictureSized = 32811;
constexpr int kUvVisSpectrum = 32812;
constexpr int kRamanSpectrum = 32813;
constexpr int kNmrSpectrum = 32814;
// Measuring: clicks collect two, three or four atoms, then measure.
constexpr int kMeasureDistance = 32815;
constexpr int kMeasureAngle = 32816;
constexpr int kMeasureDihedral = 32817;
constexpr int kClearMeasurements = 32818;
// Colour schemes of proteins.
constexpr int kColourByChain = 32819;
constexpr int kColourBySecondary = 32820;
constexpr int kColourByBFactor = 32821;
constexpr int kColourByRainbow = 32822;
// The cartoon style and what is drawn with it.
constexpr int kCartoon = 32823;
constexpr int kCartoonCylinders = 32824;
constexpr int kCartoonLigands = 32825;
constexpr int kCartoonWaters = 32826;
// Stepping through the models of an ensemble or the steps of a job.
constexpr int kStepFirst = 32827;
constexpr int kStepPrevious = 32828;
constexpr int kStepNext = 32829;
constexpr int kStepLast = 32830;
constexpr int kOverlayModels = 32831;
constexpr int kCentreOnSelection = 32832;
// The secondary structure from the file's own records.
constexpr int kSecondaryFromFile = 32833;
// Label outlines, measurements kept from plain clicks.
constexpr int kLabelOutlines = 32834;
constexpr int kKeepClickMeasurements = 32835;
// The panels of the main window, and whether they open by themselves.
constexpr int kPanelOrbitals = 32836;
constexpr int kPanelResults = 32837;
constexpr int kPanelMeasurements = 32838;
constexpr int kPanelsOpenThemselves = 32839;
constexpr int kPanelRepresentations = 32840;
// The reaction path of a scan or an IRC, and its chart's commands.
constexpr int kReactionPath = 32841;
constexpr int kSavePathData = 32842;
constexpr int kPathHartree = 32843;
constexpr int kPathKjPerMol = 32844;
constexpr int kPathKcalPerMol = 32845;
constexpr int kPathAnimate = 32846;
// Several jobs compared in one window.
constexpr int kCompareJobs = 32847;

// Window
constexpr int kWindowNew = 57648;
constexpr int kWindowArrange = 57649;
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;

// Help and panes
constexpr int kAppAbout = 57664;
constexpr int kHelpIndex = 57667;
constexpr int kContextHelp = 57669;
constexpr int kHelp = 57670;
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;

// Status bar pane of the atom description
constexpr int kAtomLabelPane = 59143;

} // namespace CommandIds
