#pragma once

#include <QString>

// Path of the user guide (README.md) the Help menu opens: beside the program
// in a build tree; in the documentation folder of the installed tree
// (share/doc/ravek beside the bin folder) when the program is installed;
// the path beside the program, which then does not exist, when neither is.
QString UserGuidePath();
