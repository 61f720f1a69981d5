#pragma once

#include <QFont>

class QOpenGLContext;

// font sized so that its character cell (ascent and descent together) is
// cellHeight pixels high, as font heights are given for labels and captions.
QFont WithCellHeight(QFont font, int cellHeight);

// The bitmap glyphs of the atom labels: display lists 1000 ... 1254 hold the
// glyphs of the character codes 0 ... 254 of a serif face ("Times New Roman",
// or a face with the same metrics where it is missing) at a given cell height
// in pixels, so a byte string is drawn with glCallLists at list base 1000.
// The lists are built in the current context and kept while that context and
// the height stay the same.
class LabelFont {
public:
    static constexpr unsigned kListBase = 1000;
    static constexpr int kGlyphCount = 255;

    // Makes the lists exist for height in the current context and sets the
    // list base.
    void Prepare(int height);

private:
    const QOpenGLContext* context_ = nullptr;
    int height_ = 0;
};
