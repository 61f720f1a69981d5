#pragma once

#include "view/PictureSource.h"

#include <utility>

class QPaintDevice;
struct PrintLayout;

// Printing a molecule view: its picture drawn again at the printer's
// resolution, with its colour legend, at the top left of the page.
class ViewPrinter {
public:
    explicit ViewPrinter(PictureSource source) : source_(std::move(source)) {}

    // Prints the picture on a page pageWidth pixels wide at the device's
    // resolution; returns the layout used.
    PrintLayout PrintOn(QPaintDevice& device, int pageWidth);
    // The print and print preview commands, on the printer and page chosen
    // in page set-up.
    void Print(bool preview);

private:
    PictureSource source_;
};
