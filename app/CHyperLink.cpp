#include "app/CHyperLink.h"

#include <QDesktopServices>

CHyperLink::CHyperLink(const QString& text, const QUrl& url, QWidget* parent)
    : QLabel(parent), url_(url) {
    setText(QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(url.toString(QUrl::FullyEncoded), text.toHtmlEscaped()));
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setCursor(Qt::PointingHandCursor);
    setToolTip(url.toString());
    connect(this, &QLabel::linkActivated, this,
            [this](const QString&) { QDesktopServices::openUrl(url_); });
}
