#include "render/OffscreenBuffer.h"

#include <malloc.h>

#include <QSurfaceFormat>

OffscreenBuffer::~OffscreenBuffer() {
    if (buffer_ != nullptr) {
        buffer_->release();
        buffer_.reset();
        context_.doneCurrent();
    }
}

bool OffscreenBuffer::Create(int width, int height, std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "CreateDIBSection Error";
        return false;
    }
    surface_.setFormat(QSurfaceFormat::defaultFormat());
    surface_.create();
    if (!surface_.isValid()) {
        error = "CompatibleDC Error";
        return false;
    }
    context_.setFormat(QSurfaceFormat::defaultFormat());
    context_.setShareContext(QOpenGLContext::globalShareContext());
    if (!context_.create()) {
        error = "OpenGL Context Error";
        return false;
    }
    if (!context_.makeCurrent(&surface_)) {
        error = "Error";
        return false;
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    format.setInternalTextureFormat(GL_RGB8);
    auto buffer = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
    if (!buffer->isValid()) {
        context_.doneCurrent();
        error = "CreateDIBSection Error";
        return false;
    }
    if (!buffer->bind()) {
        context_.doneCurrent();
        error = "Select Object Error";
        return false;
    }
    buffer_ = std::move(buffer);
    return true;
}

void OffscreenBuffer::UseDefaultFormat() {
    // Mesa's software drivers allocate and free their vertex buffers on
    // every draw; glibc handing them back to the system each time made every
    // picture fault in fresh pages (a third of the wire frame's time at
    // 10,000 atoms). Freed memory up to these sizes stays with the process.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setAlphaBufferSize(0);
    QSurfaceFormat::setDefaultFormat(format);
}
