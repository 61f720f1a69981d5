#pragma once

struct CommandLine;

// ravek --export-picture OUT [--size WxH] [--scale N] [--dpi N] [--transparent]
// [--style wire|ball|ribbon] FILE: draws FILE off-screen with the stored
// settings and writes the picture to OUT in the kind its extension names
// (.bmp 24-bit, .tif/.tiff, .png), without a window. Returns the exit code:
// 0 written, 1 no molecule or no picture, 2 a wrong command line.
int RunPictureExport(const CommandLine& line);

// ravek --export-movie OUT --frames opt|opt:FIRST-LAST|vib:MODE [--fps N]
// [--size WxH] [--style ...] FILE: a GIF or MP4 movie of the geometries or
// of one period of a normal mode, without a window. Exit codes as above;
// an MP4 without the ffmpeg program is 1, with the reason.
int RunMovieExport(const CommandLine& line);
