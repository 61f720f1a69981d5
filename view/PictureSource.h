#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class CMolData;
class CMolScene;
class QWidget;
struct NormalMode;
struct ViewState;

// What the pictures, movies and prints of a molecule window are drawn
// from: the scene and the state it shows, the window's size, and the
// window only as the parent of dialogs and messages. The window hands one
// out (CMolView::Pictures); none of them knows the window itself.
struct PictureSource {
    CMolScene* scene = nullptr;
    // What the scene shows; a print sets its scale while it draws.
    ViewState* state = nullptr;
    // The document's model (null when it holds none) and the modes of the
    // geometry shown (null when it has none).
    const CMolData* model = nullptr;
    const std::vector<NormalMode>* modes = nullptr;
    // The window's picture in pixels.
    QSize windowPixels;
    double vibrationAmplitude = 0.5;
    // The parent of dialogs and messages, and the name save dialogs offer.
    QWidget* parent = nullptr;
    QString baseName;
    // Brings the state up to date before a picture is drawn.
    std::function<void()> prepare;
    // The window's own picture as it stands (drawn whole in the middle of a
    // drag): as a 32-bit bitmap file's bytes, and as an image.
    std::function<std::string()> windowBitmap32;
    std::function<QImage()> windowImage;
};
