#pragma once

#include <QIcon>

class QPainter;

// The program's icon, a small ball-and-stick molecule, painted at the sizes
// window managers ask for.
QIcon AppIcon();

// Paints the icon into a square of size × size from the painter's origin; the
// window icon, the installed PNG sizes and the scalable SVG all come from it.
void PaintAppIcon(QPainter& painter, int size);
