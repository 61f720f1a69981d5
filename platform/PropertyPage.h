#pragma once

#include <QString>
#include <QWidget>

// One page of a property sheet. Its members hold the values; its controls
// show them. The sheet fills the controls when the page is first shown,
// takes the values back when the user leaves the page or presses OK, and
// tells the page when the sheet closes.
class PropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPage(const QString& title) : title_(title) {}

    const QString& Title() const { return title_; }

    // Moves values between members and controls: into the controls when save
    // is false; into the members when true, returning false (after saying
    // why) when a value is not acceptable.
    virtual bool DoDataExchange(bool save) = 0;
    // First showing: set ranges and lists, then fill the controls.
    virtual void OnInitDialog() { DoDataExchange(false); }
    // The sheet closes, with OK or Cancel: values read at that moment.
    virtual void OnDestroy() {}

private:
    friend class PropertySheet;
    QString title_;
    bool initialised_ = false;
};
