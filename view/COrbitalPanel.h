#pragma once

#include "model/VolumeEvaluator.h"

#include <QDockWidget>
#include <QPixmap>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSlider;
class QTableWidget;
struct MolDocState;

// The dockable panel of orbitals and grids: the orbital list of a
// formatted checkpoint file (number, spin, energy in hartree and eV,
// occupation, HOMO and LUMO marked), the grids the document holds, the one
// shown as an isosurface, its level, translucency, a grid that colours it,
// and saving a grid as a cube file. An orbital or density is evaluated on a
// grid of the spacing and margin set, with a progress dialog that can
// cancel.
class COrbitalPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit COrbitalPanel(QWidget* parent = nullptr);

    // The document the panel shows and changes (owner keeps state alive);
    // null for none. Takes a reloaded model anew.
    void SetDocument(QObject* owner, MolDocState* state);
    // Whether the document has anything the panel shows.
    static bool HasContent(const MolDocState* state);
    // The blue–white–red ramp of coloured surfaces and atoms, low values
    // on the left.
    static QPixmap RampBar(int width, int height);

    // Evaluates request on a grid about the molecule and shows it; false,
    // after saying why, when it was cancelled or failed.
    bool Compute(const VolumeRequest& request);
    // Writes the grid shown to path as a cube file; false, after saying
    // why, when it could not.
    bool SaveCube(const QString& path);
    // Adds the grids of the cube file at path to the document's (to colour
    // a surface by, or to show); false, after saying why, when it has none.
    bool AddCube(const QString& path);

signals:
    // The surface changed: the document's views draw again.
    void surfaceChanged();

private:
    void Refill();
    void FillVolumes();
    void ShowVolume(int index);
    void SetIsovalue(double value, bool fromSlider);
    void ApplySurface();
    void ComputeSelected();
    void OnSaveCube();
    void OnAddCube();
    void ColourBy(int index);

    QPointer<QObject> owner_;
    MolDocState* state_ = nullptr;
    const void* shownModel_ = nullptr;
    int shownLoad_ = -1;
    std::size_t shownGrids_ = 0;
    const void* shownSurface_ = nullptr;
    QLabel* summary_;
    QTableWidget* orbitals_;
    QPushButton* showOrbital_;
    QPushButton* density_;
    QPushButton* spinDensity_;
    QDoubleSpinBox* spacing_;
    QDoubleSpinBox* margin_;
    QComboBox* volumes_;
    QSlider* slider_;
    QDoubleSpinBox* isovalue_;
    QCheckBox* translucent_;
    QComboBox* colourBy_;
    QLabel* colourBar_;
    QLabel* colourRange_;
    QDoubleSpinBox* colourLow_ = nullptr;
    QDoubleSpinBox* colourHigh_ = nullptr;
    QPushButton* saveCube_;
    QPushButton* addCube_;
    bool filling_ = false;
};
