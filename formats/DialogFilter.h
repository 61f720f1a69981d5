#pragma once

#include <string>
#include <vector>

// A filter of the Open or Save dialog: its text, the patterns it shows, and
// the formats it stands for (none: every file, the format then chosen by
// the name). Opening with a filter of several formats reads a file with the
// one its name says, else with the first.
struct DialogFilter {
    const char* text;
    const char* patterns;
    std::vector<const char*> formats;
};
// The filters of the Open and of the Save dialog. Their 1-based positions
// are stored in the settings, so new filters only ever come at the end.
const std::vector<DialogFilter>& OpenFilters();
const std::vector<DialogFilter>& SaveFilters();
// filters in the dialog's notation: "text|patterns|" for each, then "|".
std::string FilterString(const std::vector<DialogFilter>& filters);
// The filter at 1-based index, or null when there is none there.
const DialogFilter* FilterAt(const std::vector<DialogFilter>& filters, int index);
