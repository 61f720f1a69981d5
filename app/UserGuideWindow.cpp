#include "app/UserGuideWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QUrl>

UserGuideWindow::UserGuideWindow() {
    setAttribute(Qt::WA_DeleteOnClose);
    // The guide does not keep the program running once its main window
    // has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QCoreApplication::translate("UserGuideWindow", "RAVEK ユーザーガイド"));
    setOpenExternalLinks(true);
    // About 90 columns of text and most of the screen's height.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(screen.width() * 9 / 10, fontMetrics().averageCharWidth() * 100),
           screen.height() * 3 / 4);
}

UserGuideWindow* UserGuideWindow::Show(const QString& path) {
    static QPointer<UserGuideWindow> window;
    if (window == nullptr)
        window = new UserGuideWindow;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (window->source() != url)
        window->setSource(url, QTextDocument::MarkdownResource);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
