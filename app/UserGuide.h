#pragma once

#include <QString>

// Path of the user guide the Help menu opens, in the interface's language
// (docs/user-guide.ja.md for Japanese, docs/user-guide.md for English, the
// English one when there is no translation): beside the program in a build
// tree; in the documentation folder of the installed tree (share/doc/ravek
// beside the bin folder) when the program is installed; the path beside the
// program, which then does not exist, when neither is.
QString UserGuidePath();
