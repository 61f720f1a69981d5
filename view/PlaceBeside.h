#pragma once

class QWidget;

// Moves a top-level window (a dialog) beside a view, so that it does not
// cover the molecule drawn in the view's middle: to the view's right where
// the screen has room, else to its left, else below it, else over the
// view's top right corner; always inside the screen's available area.
void PlaceBeside(QWidget& window, const QWidget& view);
