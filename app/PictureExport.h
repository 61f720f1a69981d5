#pragma once

struct CommandLine;

// ravek --export-picture OUT [--size WxH] [--style wire|ball|ribbon] FILE:
// draws FILE off-screen with the stored settings and writes the picture to
// OUT in the kind its extension names (.bmp 24-bit, .tif/.tiff, .png),
// without a window. Returns the exit code: 0 written, 1 no molecule or no
// picture, 2 a wrong command line.
int RunPictureExport(const CommandLine& line);
