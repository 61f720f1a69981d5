#pragma once

#include <QIcon>

// The program's icon, a small ball-and-stick molecule, painted at the sizes
// window managers ask for.
QIcon AppIcon();
