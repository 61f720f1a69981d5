#pragma once

#include <vector>

// Resource numbers of the menus (and the document templates named by them).
namespace ResourceIds {
constexpr int kMainMenu = 128;    // no document open
constexpr int kPlaceholder = 129; // the placeholder document type
constexpr int kMolecule = 130;    // molecule windows
constexpr int kPlot = 131;        // Ramachandran plot windows
constexpr int kSpectrum = 132;    // IR spectrum windows
constexpr int kChart = 133;       // optimisation chart windows
constexpr int kPathChart = 134;   // reaction path windows
} // namespace ResourceIds

// One menu item: a command (id > 0), a separator (id 0 and no text) or a
// submenu (id 0 with items).
// The texts of this file are the program's source language (Japanese);
// they are shown through QCoreApplication::translate, menu texts in the
// context "Menu", command strings in "Command", other texts in "Status".
struct MenuItem {
    const char* text; // UTF-8; "\t" starts the shortcut text
    int id;
    std::vector<MenuItem> items;
};

// The top-level menus of a menu resource, in menu-bar order.
const std::vector<MenuItem>& MenuResource(int resourceId);

// An accelerator: a key sequence in Qt's portable text form and its command.
struct Accelerator {
    const char* keys;
    int id;
};
const std::vector<Accelerator>& AcceleratorTable();

// The toolbar's commands in order; 0 is a separator.
const std::vector<int>& ToolbarButtons();

// The string of a command: "prompt\ntip", the prompt shown in the status bar
// and the tip on the toolbar; null when the command has none.
const char* CommandString(int id);

// Other texts of the program.
namespace AppStrings {
// The application title.
extern const char* const kAppTitle;
// Template strings of the document windows: the placeholder, the molecule,
// the Ramachandran plot, the spectra and the optimisation chart.
extern const char* const kPlaceholderTemplate;
extern const char* const kMoleculeTemplate;
extern const char* const kPlotTemplate;
extern const char* const kSpectrumTemplate;
extern const char* const kChartTemplate;
extern const char* const kPathChartTemplate;
// The message pane's text when there is nothing else to say.
extern const char* const kIdleMessage;
// The atom description pane's text used for its name.
extern const char* const kAtomLabelPane;
} // namespace AppStrings
