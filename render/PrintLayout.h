#pragma once

// The printed picture: half the page's printable width, the window's aspect
// ratio corrected for non-square printer pixels, labels scaled with it.
struct PrintLayout {
    int width;
    int height;
    double printScale;
};

// pageWidth: printable width in printer pixels; dpiX, dpiY: the printer's
// pixels per inch; clientWidth, clientHeight: the window's picture size.
inline PrintLayout PrintLayoutFor(int pageWidth, int dpiX, int dpiY, int clientWidth,
                                  int clientHeight) {
    PrintLayout layout;
    layout.width = pageWidth / 2;
    layout.printScale = static_cast<double>(pageWidth) / clientWidth * 0.5;
    layout.height = static_cast<int>(static_cast<double>(pageWidth) * clientHeight * dpiY /
                                     (static_cast<double>(clientWidth) * dpiX) * 0.5);
    return layout;
}
