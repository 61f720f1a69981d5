#include "render/CImage.h"

#include "picture/BmpFile.h"

#include <GL/gl.h>

#include <vector>

std::string CImage::writeBitmap32() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(viewport[0], viewport[1], width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return BmpFile::Encode32(width, height, pixels);
}
