#include "render/CMolScene.h"

#include "model/CMolData.h"
#include "render/MolDocState.h"
#include "render/SceneContentBuilder.h"
#include "render/SceneLighting.h"
#include "render/ScenePick.h"
#include "render/ViewState.h"

#include <QOpenGLContext>

#include <algorithm>
#include <array>
#include <cmath>
#include <list>
#include <string_view>

// Everything the content is built from. The model is compared by a hash of
// its shown geometry's atoms (positions, elements, bonds, labels,
// displacements) and the mode shown, so that a geometry a growing log's
// reader has read again is drawn anew; hashing 100,000 atoms takes about a
// millisecond, far less than drawing them.
struct CMolScene::ContentInputs {
    const CMolData* data = nullptr;
    int loadCount = 0;
    int frame = 0;
    int frameCount = 0;
    std::size_t atoms = 0;
    int displayFlags = 0, colourMode = 0, showHydrogens = 0;
    std::array<bool, 5> choices{};
    std::list<int> measurementSelection, labelledAtoms;
    std::vector<Measurement> measurements;
    bool labelsInElementColour = true;
    std::array<float, 3> labelColour{};
    int mode = -1, modeFrame = -1;
    double arrowScale = 1.0, vibrationOffset = 0.0;
    int resolution = 0, antialiasing = 0, hideAtoms = 0;
    double wireAtomScale = 0, wireBondScale = 0, ballAtomScale = 0, ballBondScale = 0;
    const void* positive = nullptr;
    const void* negative = nullptr;
    const void* colours = nullptr;
    bool translucent = false;
    ViewState::AtomValues atomValues;
    std::vector<Representation> representations;
    SelectionEvaluator::NamedSelections namedSelections;
    ResidueVisibility residues;

    ContentInputs(const ViewState& view, const MolDocState& document)
        : data(document.data.get()), loadCount(document.loadCount), frame(view.frame),
          displayFlags(view.displayFlags), colourMode(view.colourMode),
          showHydrogens(view.showHydrogens), choices{view.cartoonHelixCylinders,
                                                     view.cartoonLigands, view.cartoonWaters,
                                                     view.overlayModels,
                                                     document.secondaryFromFile},
          measurementSelection(view.measurementSelection), labelledAtoms(view.labelledAtoms),
          measurements(view.measurements),
          labelsInElementColour(view.labelsInElementColour), labelColour{view.labelColour[0],
                                                                         view.labelColour[1],
                                                                         view.labelColour[2]},
          mode(view.mode), modeFrame(view.modeFrame), arrowScale(view.arrowScale),
          vibrationOffset(view.vibrationOffset), resolution(document.resolution),
          antialiasing(document.antialiasing), hideAtoms(document.hideAtoms),
          wireAtomScale(document.wireAtomScale), wireBondScale(document.wireBondScale),
          ballAtomScale(document.ballAtomScale), ballBondScale(document.ballBondScale),
          positive(document.surface.positive.get()), negative(document.surface.negative.get()),
          colours(document.surface.positiveColours.get()),
          translucent(document.surface.translucent), atomValues(view.atomValues),
          representations(view.representations), namedSelections(view.namedSelections),
          residues(document.residues) {
        if (data == nullptr || frame < 0 || frame >= data->frameCount)
            return;
        frameCount = data->frameCount;
        const CMolFrame& shown = *data->GetFrame(frame);
        const auto bytes = [](const auto& vector) {
            return std::string_view(reinterpret_cast<const char*>(vector.data()),
                                    vector.size() * sizeof(vector[0]));
        };
        const std::hash<std::string_view> hash;
        atoms = hash(bytes(shown.atoms)) ^ (static_cast<std::size_t>(shown.atomCount) << 20) ^
                data->vibrationState;
        if (mode >= 0 && mode < static_cast<int>(shown.modes.size()))
            atoms ^= hash(bytes(shown.modes[static_cast<std::size_t>(mode)].displacements)) * 7;
    }
    bool operator==(const ContentInputs& o) const {
        return data == o.data && loadCount == o.loadCount && frame == o.frame &&
               frameCount == o.frameCount && atoms == o.atoms && displayFlags == o.displayFlags &&
               colourMode == o.colourMode && showHydrogens == o.showHydrogens &&
               choices == o.choices && measurementSelection == o.measurementSelection &&
               labelledAtoms == o.labelledAtoms && measurements == o.measurements &&
               labelsInElementColour == o.labelsInElementColour && labelColour == o.labelColour &&
               mode == o.mode && modeFrame == o.modeFrame && arrowScale == o.arrowScale &&
               vibrationOffset == o.vibrationOffset && resolution == o.resolution &&
               antialiasing == o.antialiasing && hideAtoms == o.hideAtoms &&
               wireAtomScale == o.wireAtomScale && wireBondScale == o.wireBondScale &&
               ballAtomScale == o.ballAtomScale && ballBondScale == o.ballBondScale &&
               positive == o.positive && negative == o.negative && colours == o.colours &&
               translucent == o.translucent && atomValues == o.atomValues &&
               representations == o.representations && namedSelections == o.namedSelections &&
               residues == o.residues;
    }
};

CMolScene::CMolScene(const ViewState* viewState, const MolDocState* documentState)
    : view(viewState), document(documentState) {
    fixedFunction = qEnvironmentVariableIntValue("RAVEK_FIXED_FUNCTION") != 0;
}

CMolScene::~CMolScene() = default;

const SceneContent& CMolScene::Content() {
    ContentInputs inputs(*view, *document);
    if (contentInputs_ == nullptr || !(*contentInputs_ == inputs)) {
        content_ = BuildSceneContent(*view, *document);
        renderer_.Load(content_);
        fixed_.Load(content_);
        contentInputs_ = std::make_unique<ContentInputs>(std::move(inputs));
    }
    return content_;
}

void CMolScene::LoadProjection(int width, int height) {
    viewportWidth_ = width;
    viewportHeight_ = height;
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projection_.data());
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, width, height);
}

void CMolScene::reshape(int width, int height) {
    region_ = Region();
    width_ = width;
    height_ = height;
    projection_ = view->camera.Projection(static_cast<double>(width) / static_cast<double>(height));
    LoadProjection(width, height);
}

void CMolScene::reshapeRegion(int fullWidth, int fullHeight, int x, int y, int width, int height) {
    // The whole picture's projection, then the region stretched over the
    // normalised device square: x' = (W / w)·x + (W - 2·x0 - w) / w.
    const double W = fullWidth, H = fullHeight, w = width, h = height;
    region_ = {true, x, y, fullWidth, fullHeight};
    Matrix4 stretch = IdentityMatrix();
    stretch[0] = W / w;
    stretch[5] = H / h;
    stretch[12] = (W - 2.0 * x - w) / w;
    stretch[13] = (H - 2.0 * y - h) / h;
    projection_ = Multiply(stretch, view->camera.Projection(W / H));
    LoadProjection(width, height);
}

int CMolScene::TileMargin() const {
    // Wide points are dropped whole when their centre leaves the viewport: a
    // tile drawn with this much around it holds every point that reaches
    // into it. (Labels are placed in window coordinates while tiling, see
    // PlaceLabel.)
    const double points = std::max(document->wireAtomScale, document->wireBondScale) + 5.0;
    return static_cast<int>(std::ceil(points * view->lineScale)) + 2;
}

bool CMolScene::ProjectToWindow(const Matrix4& modelView, const Point3D& s, double& x, double& y,
                                double& z) const {
    const Matrix4 m = Multiply(projection_, modelView);
    const double w = m[3] * s.x + m[7] * s.y + m[11] * s.z + m[15];
    if (w == 0.0)
        return false;
    const Point3D device = TransformPoint(m, s);
    x = (device.x + 1.0) * 0.5 * viewportWidth_;
    y = (device.y + 1.0) * 0.5 * viewportHeight_;
    z = (device.z + 1.0) * 0.5;
    return true;
}

bool CMolScene::PlaceLabel(const Matrix4& modelView, const Point3D& s) const {
    using WindowPos = void (*)(GLdouble, GLdouble, GLdouble);
    const QOpenGLContext* context = QOpenGLContext::currentContext();
    const auto windowPos =
        region_.active && context != nullptr
            ? reinterpret_cast<WindowPos>(context->getProcAddress("glWindowPos3d"))
            : nullptr;
    if (windowPos == nullptr) {
        glRasterPos3d(s.x, s.y, s.z);
        return true;
    }
    // A tile of a larger picture: the label's anchor may lie outside the
    // tile while its glyphs reach in. The raster position is set in window
    // coordinates, where it stays valid, whenever the anchor lies in the
    // whole picture (where the whole picture's drawing would place it).
    double x = 0, y = 0, z = 0;
    if (!ProjectToWindow(modelView, s, x, y, z))
        return false;
    const double fullX = x + region_.x, fullY = y + region_.y;
    if (z < 0.0 || z > 1.0 || fullX < 0.0 || fullY < 0.0 || fullX > region_.fullWidth ||
        fullY > region_.fullHeight)
        return false;
    windowPos(x, y, z);
    return true;
}

void CMolScene::LoadOrientation() const {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(view->camera.orientation.data());
}

void CMolScene::render() {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (document->data != nullptr) {
        const SceneContent& content = Content();
        // The light stays where the eye is, whatever the model's orientation.
        SceneLighting::Apply(content.lit);
        if (UsesShaders()) {
            glLoadMatrixd(view->camera.ModelView().data());
            renderer_.Draw(content, view->lineScale);
            renderer_.DrawSurfaces(content);
        } else {
            fixed_.Draw(content, view->camera, view->lineScale);
            FixedFunctionRenderer::DrawSurfaces(content, view->camera);
        }
        if (view->dragMode == ViewState::kNoDrag)
            drawLabels();
    }
    LoadOrientation();
    glFlush();
}

void CMolScene::drawLabels() {
    const SceneContent& content = Content();
    if (content.labels.empty())
        return; // nothing to write: the glyphs need not exist yet
    labelFont_.Prepare(static_cast<int>(view->printScale * 24.0));
    if ((view->displayFlags & ViewState::kBallAndStick) != 0) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_COLOR_MATERIAL);
    }
    const double scale = view->camera.Scale();
    const Point3D& centre = view->camera.centre;
    // Plain bitmap text, or each label over a thin outline: the text drawn
    // first in the outline's colour a pixel (of the picture's scale) away in
    // four directions.
    const float step = static_cast<float>(std::max(1.0, std::round(view->printScale)));
    static const int kAround[5][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}, {0, 0}};
    const std::size_t firstPass = view->labelOutlines ? 0 : 4;
    // The values of measurements never pile up: one whose text would lie
    // over an earlier one's moves down a line at a time until it is clear
    // (the text boxes are estimated from the font's height).
    const double lineHeight = std::max(1.0, std::floor(view->printScale * 24.0));
    std::vector<std::array<double, 4>> valueBoxes; // left, bottom, right, top in pixels
    for (const SceneLabel& label : content.labels) {
        const Matrix4 modelView =
            Multiply(TranslationMatrix(0.0, 0.0, label.lift * scale), view->camera.orientation);
        glPushMatrix();
        glLoadMatrixd(modelView.data());
        const Point3D anchor = Scaled(Minus(label.at, centre), scale);
        double down = 0.0;
        if (label.atom < 0) {
            double x = 0, y = 0, z = 0;
            if (ProjectToWindow(modelView, anchor, x, y, z)) {
                const double width = 0.55 * lineHeight * static_cast<double>(label.text.size());
                const auto overlaps = [&](double bottom) {
                    return std::any_of(valueBoxes.begin(), valueBoxes.end(), [&](const auto& b) {
                        return x < b[2] && x + width > b[0] && bottom < b[3] &&
                               bottom + lineHeight > b[1];
                    });
                };
                while (overlaps(y - down) && down < 20.0 * lineHeight)
                    down += lineHeight;
                valueBoxes.push_back({x, y - down, x + width, y - down + lineHeight});
            }
        }
        const Rgba& colour = label.colour;
        // Dark text gets a light outline, so that it reads on any background.
        const float luminance = 0.3F * colour[0] + 0.59F * colour[1] + 0.11F * colour[2];
        const float outline = luminance < 0.35F ? 0.92F : 0.08F;
        for (std::size_t pass = firstPass; pass < 5; ++pass) {
            const int* offset = kAround[pass];
            const bool text = pass == 4;
            // The raster colour is taken when the position is set. The
            // outline leaves the depth alone, so that the text at the same
            // depth is drawn over it.
            glDepthMask(text ? GL_TRUE : GL_FALSE);
            if (text)
                glColor3fv(colour.data());
            else
                glColor3f(outline, outline, outline);
            if (!PlaceLabel(modelView, anchor))
                break;
            glBitmap(0, 0, 0.0F, 0.0F, static_cast<float>(offset[0]) * step,
                     static_cast<float>(offset[1]) * step - static_cast<float>(down), nullptr);
            glCallLists(static_cast<GLsizei>(label.text.size()), GL_UNSIGNED_BYTE,
                        label.text.data());
        }
        glDepthMask(GL_TRUE);
        glPopMatrix();
    }
}

int CMolScene::hitTest(int x, int y) {
    if (document->data == nullptr)
        return -1;
    return PickAtom(Content(), PickView::Of(view->camera, width_, height_), x, y);
}
