// Writes the program's icon for the desktop's hicolor theme: NAME.svg and
// NAME-SIZE.png for each size, into FOLDER. Run by the build, so the installed
// icons are the window icon's own drawing.
//
//   ravek-icon-files FOLDER NAME SIZE...

#include "app/AppIcon.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

int main(int argc, char** argv) {
    // Painting into images and SVG needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: ravek-icon-files FOLDER NAME SIZE...\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const int kScalableSize = 256;
    QSvgGenerator svg;
    svg.setFileName(folder + QLatin1Char('/') + name + QStringLiteral(".svg"));
    svg.setSize(QSize(kScalableSize, kScalableSize));
    svg.setViewBox(QRect(0, 0, kScalableSize, kScalableSize));
    svg.setTitle(QStringLiteral("RAVEK"));
    {
        QPainter painter(&svg);
        PaintAppIcon(painter, kScalableSize);
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            PaintAppIcon(painter, size);
        }
        const QString file = folder + QLatin1Char('/') + name + QLatin1Char('-') +
                             QString::number(size) + QStringLiteral(".png");
        if (!image.save(file)) {
            std::fprintf(stderr, "ravek-icon-files: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
