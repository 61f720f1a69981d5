#pragma once

struct ViewState;

// What a molecule view keeps in the settings store: its style, colouring,
// hydrogens, arrow scale, label outlines and the vibration's amplitude and period. One
// mapping serves the window and the pictures and movies drawn without one.
struct ViewSettings {
    double vibrationAmplitude = 0.5; // Å per unit of displacement
    double vibrationPeriod = 1.0;    // seconds

    // Sets view's style, colouring, hydrogens and arrow scale from the store
    // and returns the vibration's values; stored values are brought into the
    // ranges a view keeps.
    static ViewSettings Read(ViewState& view);
    // Stores them; with initStart the style, colouring and hydrogens of a
    // first start are stored instead of the view's.
    static void Write(const ViewState& view, const ViewSettings& settings, bool initStart);
};
