#pragma once

#include "platform/Profile.h"

// Every value of the settings store with its default, in one place. Owners
// read their values when they are constructed and write them back when they
// are destroyed (Profile::Read, Profile::Write).
namespace Settings {

constexpr const char* kSection = "Settings";
constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kRecentEntry = "File%1";
constexpr int kRecentCount = 4;
constexpr int kRecentDisplayLength = 30;

// The molecule document.
constexpr IntSetting kChildMaxWnd{kSection, "ChildMaxWnd", 1};
constexpr IntSetting kFilterIndex{kSection, "FilterIndex", 1};
constexpr IntSetting kSaveFilterIndex{kSection, "SaveFilterIndex", 1};
constexpr IntSetting kAntialiasing{kSection, "Antialiasing", 1};
constexpr IntSetting kDispActivePage{kSection, "DispActivePage", 0};
constexpr IntSetting kResOn{kSection, "ResOn", 2};
constexpr IntSetting kResolution{kSection, "Resolution", 10};
constexpr IntSetting kWireFrameAtomNone{kSection, "WireFrame Atom None", 0};
constexpr IntSetting kWireFrameAtomSize{kSection, "WireFrame Atom Size", 10};
constexpr IntSetting kWireFrameBondWidth{kSection, "WireFrame Bond Width", 10};
constexpr IntSetting kBallStickAtomSize{kSection, "Ball&Stick Atom Size", 10};
constexpr IntSetting kBallStickBondWidth{kSection, "Ball&Stick Bond Width", 10};
constexpr IntSetting kInitStart{kSection, "InitStart", 0};
constexpr IntSetting kProteinConnectCheck{kSection, "ProteinConnectCheck", 0};
constexpr IntSetting kProteinCalcBond{kSection, "ProteinCalcBond", 1};
constexpr IntSetting kWarning{kSection, "Warning", 1};
// New files open turned to their principal axes, as Home turns them.
constexpr IntSetting kOpenAlongAxes{kSection, "OpenPrincipalAxes", 0};

// The molecule view.
constexpr IntSetting kDisplayMode{kSection, "DisplayMode", 1};
constexpr IntSetting kColorMode{kSection, "ColorMode", 0};
constexpr IntSetting kDispHydrogen{kSection, "DispHydrogen", 1};
// The vibration of the mode shown: amplitude in hundredths of an ångström
// per unit of displacement, period in milliseconds, arrow scale in percent.
constexpr IntSetting kVibrationAmplitude{kSection, "VibrationAmplitude", 50};
constexpr IntSetting kVibrationPeriod{kSection, "VibrationPeriod", 1000};
constexpr IntSetting kArrowScale{kSection, "ArrowScale", 100};
// With the cartoon: helices as cylinders (1) or ribbons (0); the ligands in
// ball and stick and the waters as points (1) or not at all (0).
constexpr IntSetting kCartoonCylinders{kSection, "CartoonCylinders", 0};
constexpr IntSetting kCartoonLigands{kSection, "CartoonLigands", 1};
constexpr IntSetting kCartoonWaters{kSection, "CartoonWaters", 1};
// The secondary structure drawn: the file's own records' where it has them
// (1) or the one assigned from the backbone (0).
constexpr IntSetting kSecondaryFromFile{kSection, "SecondaryFromFile", 0};
// Labels drawn over a thin outline of the contrasting grey (1) or as plain
// text (0).
constexpr IntSetting kLabelOutlines{kSection, "LabelOutlines", 0};
// A plain click that measures also keeps its measurement drawn on the
// molecule (1); the measuring modes always keep theirs.
constexpr IntSetting kKeepClickMeasurements{kSection, "KeepClickMeasurements", 0};
// The panels (orbitals and grids, results, measurements) open by themselves
// when a window gets something for them (1), or only when asked for (0).
constexpr IntSetting kPanelsOpenThemselves{kSection, "PanelsOpenThemselves", 0};
// A structure with a protein opens with the protein as a cartoon, its
// ligands in ball and stick and its waters hidden, as representation rows
// (1); or in the display menu's style alone (0).
constexpr IntSetting kOpenProteinsAsCartoon{kSection, "OpenProteinsAsCartoon", 0};
// The regions the Ramachandran plot paints behind its points: 0 none, else
// the residue kind's (1 general, 2 glycine, 3 proline, 4 pre-proline, 5
// Ile/Val).
constexpr IntSetting kPlotRegions{kSection, "PlotRegions", 0};

// The IR spectrum window: half-width at half height in cm⁻¹.
constexpr IntSetting kSpectrumHalfWidth{kSection, "SpectrumHalfWidth", 10};
// The factor frequencies are scaled by in the IR and Raman spectra, in
// 1/10000 (10000: unscaled).
constexpr IntSetting kFrequencyScale{kSection, "FrequencyScale", 10000};
// Raman intensities: the laser's wavelength in nm (0: activities) and the
// temperature in K.
constexpr IntSetting kRamanLaser{kSection, "RamanLaser", 0};
constexpr IntSetting kRamanTemperature{kSection, "RamanTemperature", 298};
// UV-Vis and ECD: half-width at half height in meV; the axis in nm (0) or
// eV (1).
constexpr IntSetting kElectronicHalfWidth{kSection, "ElectronicHalfWidth", 333};
constexpr IntSetting kElectronicAxis{kSection, "ElectronicAxis", 0};
// NMR: half-width at half height in 1/1000 ppm; the reference shieldings
// (ppm) by element symbol, in their own section.
constexpr IntSetting kNmrHalfWidth{kSection, "NmrHalfWidth", 20};
// The window of several jobs: the temperature of the Boltzmann weights in
// 1/100 K.
constexpr IntSetting kEnsembleTemperature{kSection, "EnsembleTemperature", 29815};
constexpr const char* kNmrReferenceSection = "NMR References";

// Pictures of a chosen size: the resolution written into TIFF and PNG files
// (0 none) and a transparent background for them, as last chosen.
constexpr IntSetting kPictureDpi{kSection, "PictureDpi", 0};
constexpr IntSetting kPictureTransparent{kSection, "PictureTransparent", 0};
// Movies: frames per second, frames in one period of a vibration, and
// whether a GIF plays again and again.
constexpr IntSetting kMovieFps{kSection, "MovieFps", 10};
constexpr IntSetting kMovieFramesPerPeriod{kSection, "MovieFramesPerPeriod", 20};
constexpr IntSetting kMovieLoop{kSection, "MovieLoop", 1};

// The language of the interface: 0 none chosen (Japanese), 1 Japanese, 2
// English, 3 as the desktop's (read at start-up).
constexpr IntSetting kLanguage{kSection, "Language", 0};

// The main frame.
constexpr IntSetting kSavePos{kSection, "SavePos", 1};
constexpr IntSetting kLeft{kSection, "Left", 0};
constexpr IntSetting kTop{kSection, "Top", 0};
constexpr IntSetting kRight{kSection, "Right", 700};
constexpr IntSetting kBottom{kSection, "Bottom", 700};
constexpr IntSetting kMaxWnd{kSection, "MaxWnd", 0};
constexpr IntSetting kMinWnd{kSection, "MinWnd", 0};

// The child frame reads the document's value with its own default.
constexpr IntSetting kChildFrameMaxWnd{kSection, "ChildMaxWnd", 0};

} // namespace Settings
