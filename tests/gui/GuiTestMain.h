#pragma once

#include "render/OffscreenBuffer.h"

#include <QApplication>
#include <QTest>

// main() of a GUI test: the program's OpenGL format and names, then the
// test class's functions.
#define RAVEK_GUI_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char** argv) {                                                              \
        OffscreenBuffer::UseDefaultFormat();                                                       \
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                    \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("RAVEK"));                                 \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
