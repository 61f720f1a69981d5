#pragma once

#include <functional>
#include <string>
#include <string_view>

class StdioFile;

// Writes a file so that nothing the user had is lost when writing fails: write
// fills a new file in the target's folder, which takes the target's place only
// after every byte was written and the file was closed without error. On any
// failure the target is left as it was, the new file is removed, error holds
// the reason and the result is false. A symbolic link is followed, so the file
// it names is replaced (or made, when it does not exist yet), not the link.
// The target keeps its permissions (and its owner where the process may set
// it); a new file gets the usual ones of the user's umask. The new file is
// flushed to the disk before it replaces the old one; it is named
// ".NAME.ravek-XXXXXX.tmp" beside the target (or ".ravek-XXXXXX.tmp" when that
// name would be too long), so one left by a killed run is never taken for
// data, and it is removed when the process is ended by a signal it can catch.
// A target that exists and is not a regular file (a device such as
// /dev/stdout, a pipe) is written in place; a folder is refused.
bool WriteFileAtomically(const std::string& path, const std::function<bool(StdioFile&)>& write,
                         std::string& error);
// The same for a file of the given bytes (a picture, a text).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// The same for a file another program writes by its path: produce fills the
// scratch file whose path it is given (an empty file with the finished
// file's permissions), returning false with error set, or an empty error for
// a stop the user asked for; the scratch file then goes and the target stays
// as it was. A target that is not a regular file is refused.
bool ProduceFileAtomically(const std::string& path,
                           const std::function<bool(const std::string&, std::string&)>& produce,
                           std::string& error);
