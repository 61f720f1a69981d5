#include "render/OffscreenPicture.h"

#include "picture/BmpFile.h"
#include "render/CMolScene.h"
#include "render/OffscreenBuffer.h"
#include "render/ViewState.h"

#include <QBuffer>
#include <QImageWriter>

QImage OffscreenPicture::ToImage() const {
    const QImage bottomUp(bgrBottomUp.data(), width, height, width * 3, QImage::Format_BGR888);
    return bottomUp.mirrored(false, true).convertToFormat(QImage::Format_RGB32);
}

std::string OffscreenPicture::Encode(Format format) const {
    if (format == kBmp24)
        return BmpFile::Encode24(width, height, bgrBottomUp);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == kTiff ? "tiff" : "png");
    if (!writer.write(ToImage()))
        return {};
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool OffscreenPicture::Render(CMolScene& scene, const ViewState& view, int width, int height,
                              OffscreenPicture& picture, std::string& error) {
    OffscreenBuffer buffer;
    if (!buffer.Create(width, height, error))
        return false;
    // The context is this picture's own: its projection needs no restoring.
    scene.reshape(width, height);
    glClearColor(view.backgroundColour[0], view.backgroundColour[1], view.backgroundColour[2],
                 0.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.render();

    picture.width = width;
    picture.height = height;
    picture.bgrBottomUp.assign(static_cast<std::size_t>(width) * height * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, picture.bgrBottomUp.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return true;
}
