#pragma once

#include <QDialog>

#include <vector>

class PropertyPage;
class QTabWidget;

// A dialog of tabbed pages with OK and Cancel. A page's values are checked
// and taken when the user leaves it and on OK; a value that is not
// acceptable keeps the user on its page.
class PropertySheet : public QDialog {
    Q_OBJECT
public:
    PropertySheet(const QString& caption, QWidget* parent = nullptr);

    // Adds page (the sheet takes it over).
    void AddPage(PropertyPage* page);
    void SetActivePage(int index);
    int GetActiveIndex() const;
    PropertyPage* Page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }

    // Runs the sheet modally; QDialog::Accepted after OK. Every page shown
    // gets OnDestroy as the sheet closes.
    int DoModal();
    // OK: takes the active page's values; closes unless one was refused.
    bool OnOK();

protected:
    // The sheet closes: the sheet's own values read at that moment.
    virtual void OnDestroy() {}

private:
    void ShowPage(int index);

    QTabWidget* tabs_;
    std::vector<PropertyPage*> pages_;
    int current_ = -1;
};
