#pragma once

#include <QDialog>

// The about box: program name, version, copyright and the maker's web site.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
