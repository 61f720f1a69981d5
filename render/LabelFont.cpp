#include "render/LabelFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QOpenGLContext>
#include <QPainter>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

QFont WithCellHeight(QFont font, int cellHeight) {
    // Qt sizes a font by its em; the heights given are of the character
    // cell, ascent and descent together, which for a serif face is about a
    // tenth larger.
    font.setPixelSize(std::max(cellHeight, 1));
    const QFontMetricsF metrics(font);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0.0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(cellHeight * cellHeight / cell))));
    return font;
}

namespace {

QFont LabelFace(int height) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setStyleStrategy(QFont::NoAntialias);
    return WithCellHeight(font, height);
}

// One glyph as glBitmap wants it: rows bottom-up, eight pixels a byte, the
// leftmost in the high bit, rows padded to whole bytes.
void CompileGlyph(const QFont& font, const QFontMetrics& metrics, int code) {
    const QChar character(code);
    const int advance = code < 32 ? 0 : metrics.horizontalAdvance(character);
    const int pad = metrics.height() / 4 + 1;
    const int width = advance + 2 * pad;
    const int height = metrics.height();
    std::vector<GLubyte> bits;
    if (code >= 32 && width > 0 && height > 0) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(pad, metrics.ascent(), QString(character));
        painter.end();
        const int rowBytes = (width + 7) / 8;
        bits.assign(static_cast<std::size_t>(rowBytes * height), 0);
        for (int y = 0; y < height; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - y));
            for (int x = 0; x < width; ++x) {
                if (qGreen(row[x]) > 127)
                    bits[static_cast<std::size_t>(y * rowBytes + x / 8)] |=
                        static_cast<GLubyte>(0x80 >> (x % 8));
            }
        }
    }
    glNewList(LabelFont::kListBase + static_cast<GLuint>(code), GL_COMPILE);
    if (bits.empty())
        glBitmap(0, 0, 0, 0, static_cast<GLfloat>(advance), 0, nullptr);
    else
        glBitmap(width, height, static_cast<GLfloat>(pad), static_cast<GLfloat>(metrics.descent()),
                 static_cast<GLfloat>(advance), 0, bits.data());
    glEndList();
}

} // namespace

void LabelFont::Prepare(int height) {
    const QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context != context_ || height != height_ || !glIsList(kListBase)) {
        const QFont font = LabelFace(height);
        const QFontMetrics metrics(font);
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (int code = 0; code < kGlyphCount; ++code)
            CompileGlyph(font, metrics, code);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        context_ = context;
        height_ = height;
    }
    glListBase(kListBase);
}
