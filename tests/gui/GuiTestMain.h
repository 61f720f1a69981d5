#pragma once

#include <QApplication>
#include <QSurfaceFormat>
#include <QTest>

// main() of a GUI test: the program's OpenGL format and names, then the
// test class's functions.
#define RAVEK_GUI_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char** argv) {                                                              \
        QSurfaceFormat format;                                                                     \
        format.setProfile(QSurfaceFormat::CompatibilityProfile);                                   \
        format.setDepthBufferSize(24);                                                             \
        format.setAlphaBufferSize(0);                                                              \
        QSurfaceFormat::setDefaultFormat(format);                                                  \
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                    \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("RAVEK"));                                 \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
