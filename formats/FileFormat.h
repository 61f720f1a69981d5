#pragma once

#include "formats/FileKind.h"
#include "formats/PdbOptions.h"
#include "formats/WrittenGeometry.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LogFollower;
class CMolData;
class StdioFile;

// One format of file the program reads or writes. The table of them
// (FileFormats) is the one place a format is registered: the kinds file
// names are read by, the readers, the writers, the filters of the Open and
// Save dialogs, the command line's names and the desktop's types are all
// taken from it.
struct FileFormat {
    // Reads an open file into a model; null only when the format reads
    // nothing (what went wrong with a file is in the model, see
    // NoMoleculeReason).
    using Reader = std::unique_ptr<CMolData> (*)(StdioFile* in, const PdbOptions& options);
    // Reads an open file into model (whatever it held is replaced) and
    // returns the follower that reads on what a running job appends.
    using Follower = std::unique_ptr<LogFollower> (*)(StdioFile* in, CMolData& model);
    // Writes the geometry what names of mol, its atoms that what shows, to
    // file (a format of every geometry, as XYZ, writes them all); path is
    // the name it will have. refusal (when given) says why a model that
    // cannot be written in the format was not.
    using Writer = bool (*)(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                            const std::string& path, std::string* refusal);

    // The command line's name: --type for a format read, --to for one
    // written.
    const char* name;
    // What reading gives (kUnknown for a format only written).
    FileKind kind;
    // The file name endings, lower case, without the dot. A read format's
    // are what names a file of its kind (the last three characters of a
    // name are compared, so "cif" covers ".mmcif"); a written format's are
    // what picks it on saving, the first being what a saved file gets.
    std::vector<const char*> extensions;
    // The desktop's types for files the format reads (none for a format
    // only written).
    std::vector<const char*> mimeTypes;
    Reader read;  // null for a format only written, or only recognised
    Writer write; // null for a format only read, or only recognised
    // What messages call a file of the kind ("cube file"); null for a
    // format only written. A format with a kind but neither a reader nor a
    // writer is recognised only: its files are refused by that name.
    const char* title = nullptr;
    // Where files of the kind grow while a job runs; null for the others.
    Follower follow = nullptr;
    // The names the Open and Save dialogs show for the format's files, and
    // those of its compressed files the Open dialog shows too.
    std::vector<const char*> dialogNames = {};
    std::vector<const char*> compressedNames = {};
};

// Every format, in the order the command line lists the ones read and the
// ones written.
const std::vector<FileFormat>& FileFormats();
// The format that reads kind; null for kUnknown and for a kind only
// recognised.
const FileFormat* FormatReading(FileKind kind);
// The format of kind, read or only recognised; null for kUnknown.
const FileFormat* FormatOfKind(FileKind kind);
// The format a name on the command line or a dialog filter stands for; null
// when there is none such.
const FileFormat* FormatNamed(std::string_view name);
// The format a file is saved in when its name ends in extension (any case,
// without the dot); null when none is.
const FileFormat* FormatSavedAs(std::string_view extension);
// The names of the formats read (or written), joined as "a, b or c" or, with
// bars, as "a|b|c".
std::string FormatNames(bool written, bool bars);
// items joined as "a, b or c", or with bars as "a|b|c".
std::string JoinedList(const std::vector<const char*>& items, bool bars);

// The desktop types of every format read, each followed by ';' (the
// desktop entry's MimeType line).
std::string MimeTypeList();
