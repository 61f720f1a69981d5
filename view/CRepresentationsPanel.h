#pragma once

#include "render/Representation.h"

#include <QDockWidget>
#include <QMetaObject>
#include <QPointer>

#include <vector>

class CMolView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The dockable list of the active molecule window's representation rows:
// each row's visibility, selection, style and colouring, changed in place;
// rows added, removed and moved; and a command box for the view commands
// (show sticks, ligand; color chain; zoom sele). Without rows it lists the
// one the menus draw, all atoms in their style and colours.
class CRepresentationsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CRepresentationsPanel(QWidget* parent = nullptr);

    // The molecule window whose rows the panel lists; null keeps the last
    // one while it exists.
    void SetView(CMolView* view);
    // Runs a command on the window, as the command box does; what it said
    // stands under the box.
    bool RunCommand(const QString& command);

    QTableWidget* table;
    QPushButton* addButton;
    QPushButton* removeButton;
    QPushButton* upButton;
    QPushButton* downButton;
    QLineEdit* commandBox;
    // Whether structures with a protein open as a cartoon (a setting).
    QCheckBox* openAsCartoon;
    QLabel* said;

private:
    // Fills the table anew when the rows changed.
    void Refresh();
    // The rows after a change made here: the window draws them.
    void Changed();
    // The rows, with a first that follows the menus when there were none.
    std::vector<Representation>* Rows();
    void Move(int by);

    QPointer<CMolView> view_;
    QMetaObject::Connection shownConnection_;
    std::vector<Representation> shown_;
    const CMolView* shownView_ = nullptr;
};
