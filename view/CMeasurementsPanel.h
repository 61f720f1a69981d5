#pragma once

#include "render/Measurement.h"

#include <QDockWidget>
#include <QMetaObject>
#include <QPointer>

#include <vector>

class CMolData;
class CMolView;
class QPushButton;
class QTableWidget;

// The dockable list of the distances, angles and dihedrals kept on the
// active molecule window: kind, atoms and value in the geometry the window
// shows (following an animation as it draws), with copying as text and
// removing one or all.
class CMeasurementsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CMeasurementsPanel(QWidget* parent = nullptr);

    // The molecule window whose measurements the panel lists; null for none.
    void SetView(CMolView* view);
    static bool HasContent(const CMolView* view);
    // The list as text, a measurement a line: kind, atoms and value
    // separated by tabs.
    QString Text() const;

    QTableWidget* table;
    QPushButton* copyButton;
    QPushButton* removeButton;
    QPushButton* clearButton;

private:
    // Fills the table anew when the measurements or the geometry changed.
    void Refresh();
    void RemoveChosen();

    QPointer<CMolView> view_;
    QMetaObject::Connection shownConnection_;
    // What the table shows.
    std::vector<Measurement> shown_;
    const CMolData* shownData_ = nullptr;
    int shownFrame_ = -1;
};
