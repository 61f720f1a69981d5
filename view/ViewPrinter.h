#pragma once

class CMolView;
class QPaintDevice;
struct PrintLayout;

// Printing a molecule view: its picture drawn again at the printer's
// resolution, with its colour legend, at the top left of the page.
class ViewPrinter {
public:
    explicit ViewPrinter(CMolView& view) : view_(view) {}

    // Prints the picture on a page pageWidth pixels wide at the device's
    // resolution; returns the layout used.
    PrintLayout PrintOn(QPaintDevice& device, int pageWidth);
    // The print and print preview commands, on the printer and page chosen
    // in page set-up.
    void Print(bool preview);

private:
    CMolView& view_;
};
