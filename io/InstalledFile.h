#pragma once

#include <string>

// Where a program finds a file it ships: name in programFolder when it is
// there (a build tree, or a copy a user put beside the program); else in
// programFolder/installedFolder when it is there (installedFolder relative to
// the program's folder, as share/... lies beside bin/ in an installed tree,
// wherever its prefix); else the path in programFolder, which then does not
// exist.
std::string InstalledFile(const std::string& programFolder, const std::string& installedFolder,
                          const std::string& name);
