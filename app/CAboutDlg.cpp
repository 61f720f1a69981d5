#include "app/CAboutDlg.h"

#include "app/CHyperLink.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("CAboutDlg", "RAVEK のバージョン情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(QCoreApplication::translate("CAboutDlg", "RAVEK バージョン %1")
                                   .arg(QApplication::applicationVersion()),
                               this));
    text->addWidget(new QLabel(QCoreApplication::translate("CAboutDlg", "分子構造ビューア"), this));
    text->addWidget(new QLabel(QStringLiteral("Copyright (C) Pralt Software"), this));
    auto* link =
        new CHyperLink(QCoreApplication::translate("CAboutDlg", "Pralt Software のホームページ"),
                       QUrl(QStringLiteral("https://pralt-software.example/ravek/")), this);
    link->setObjectName(QStringLiteral("hyperlink1048"));
    text->addWidget(link);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
