#pragma once

#include <QRect>

class QWidget;

// Dialog layouts given in dialog units, the font-relative units of dialog
// templates: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height, both in whole pixels.
class DialogUnits {
public:
    // Units of the dialog's own font.
    explicit DialogUnits(const QWidget* dialog);

    QRect Rect(int x, int y, int width, int height) const;
    // Places widget at a rectangle given in dialog units.
    void Place(QWidget* widget, int x, int y, int width, int height) const;

private:
    int baseX_;
    int baseY_;
};
