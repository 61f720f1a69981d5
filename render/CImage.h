#pragma once

#include <string>

// The picture the current context last drew, read back from its frame
// buffer as a 32-bit BMP (blue, green, red, alpha; alpha 255 where the
// buffer has none).
class CImage {
public:
    virtual ~CImage() = default;

    // The file's bytes for the current context's viewport.
    std::string writeBitmap32();
};
