#pragma once

class StdioFile;

// The structure readers' line reader. Reads one line of at most size - 1
// characters into buffer (always NUL-terminated, the line end not stored)
// and returns buffer, or nullptr when nothing at all was read before the end
// of the file. LF, CR, CR LF and LF CR each end a line; a doubled LF or CR
// gives an empty line.
char* ReadLine(char* buffer, int size, StdioFile* file);
