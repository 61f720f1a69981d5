#pragma once

#include "formats/FileKind.h"

#include <string>
#include <string_view>
#include <vector>

struct FileFormat;

// A filter of the Open or Save dialog: its text, the formats it stands for
// (none: every file, the format then chosen by the name) and the patterns
// it shows: those the format table gives its formats' files (compressed
// ones too in the Open dialog), in the table's order, or for a filter of
// every file its own. Opening with a filter of several formats reads a file
// with the one its name says, else with the first.
struct DialogFilter {
    const char* text;
    std::vector<const char*> formats;
    // The patterns of a filter of every file.
    const char* everyFile = nullptr;
    // A filter of every file whose name says nothing has its reader chosen
    // by the file's first lines.
    bool byContent = false;
    // The patterns shown, made from the above.
    std::string patterns = {};
    // The filter of session files (a structure file and how a window shows
    // it), which no molecule format reads or writes.
    bool session = false;
};
// The ending of session files' names, without the dot.
constexpr const char* kSessionSuffix = "ravek";
// The filters of the Open and of the Save dialog. Their 1-based positions
// are stored in the settings, so new filters only ever come at the end.
const std::vector<DialogFilter>& OpenFilters();
const std::vector<DialogFilter>& SaveFilters();
// filters in the dialog's notation: "text|patterns|" for each, then "|".
std::string FilterString(const std::vector<DialogFilter>& filters);
// The filter at 1-based index, or null when there is none there.
const DialogFilter* FilterAt(const std::vector<DialogFilter>& filters, int index);

// The kind a file opened with filter is read as: of the filter's formats,
// the one its name says (named), else the first; named for a filter of
// every file or none, except that a filter reading by content gives
// kByContent for a name that says nothing.
FileKind KindToOpen(const DialogFilter* filter, FileKind named);
// The format a file saved with filter is written in: the filter's first,
// else (a filter of every file, or none) the one its name's extension
// says; null when that says none.
const FileFormat* FormatToSave(const DialogFilter* filter, std::string_view extension);
