#pragma once

#include <QString>

// The state a command-update handler gives a menu item or toolbar button.
struct CommandUpdate {
    bool enabled = true;
    int checked = -1; // -1: no check mark asked for; 0 or 1: the check state
    QString text;     // empty: the item keeps its text

    void Enable(bool on) { enabled = on; }
    void SetCheck(bool on) { checked = on ? 1 : 0; }
    void SetText(const QString& shown) { text = shown; }
};
