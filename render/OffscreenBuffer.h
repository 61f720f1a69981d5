#pragma once

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <memory>
#include <string>

// A frame buffer of its own size to draw into without a window: a surface, a
// context sharing with the program's others, and a buffer with depth and no
// alpha, as the window's picture. Current from a successful Create until the
// object goes.
class OffscreenBuffer {
public:
    OffscreenBuffer() = default;
    ~OffscreenBuffer();
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    // Sets up width × height pixels and makes them the drawing target; on
    // failure false with the short English message of the step that failed.
    bool Create(int width, int height, std::string& error);
    // What has been drawn, top row first.
    QImage ToImage() const { return buffer_->toImage(); }

    // Makes the default surface format the one every picture of the program
    // needs: a compatibility context for its shaders and the fixed-function
    // drawing, depth, no alpha; and keeps the memory the driver frees for
    // its next picture. Called before the application object is made.
    static void UseDefaultFormat();

private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> buffer_;
};
