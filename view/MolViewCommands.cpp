#include "view/MolViewCommands.h"

#include "model/CMolData.h"
#include "platform/ColorDialog.h"
#include "platform/CommandTable.h"
#include "platform/Profile.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"
#include "view/MovieWriter.h"
#include "view/ViewMovie.h"
#include "view/ViewPicture.h"
#include "view/ViewPrinter.h"

#include <QColor>
#include <QCoreApplication>

#include <functional>
#include <utility>

using namespace CommandIds;

namespace {

constexpr float kByteToUnit = 0.003921569F;

// The colours last chosen in the colour dialogs, shared by all views.
QColor lastBackgroundChoice(0, 0, 0);
QColor lastLabelColourChoice(0, 0, 0);

void SetStyle(ViewState& state, int flag) {
    const int styles =
        ViewState::kWireFrame | ViewState::kBallAndStick | ViewState::kRibbon | ViewState::kCartoon;
    state.displayFlags = (state.displayFlags ^ flag) & ~(styles & ~flag);
}

void ChooseBackground(CMolView& view) {
    ViewState& state = view.state;
    const QColor chosen = ColorDialog::GetColor(&view, lastBackgroundChoice);
    if (!chosen.isValid())
        return;
    lastBackgroundChoice = chosen;
    state.backgroundColour[0] = static_cast<float>(chosen.red()) * kByteToUnit;
    state.backgroundColour[1] = static_cast<float>(chosen.green()) * kByteToUnit;
    state.backgroundColour[2] = static_cast<float>(chosen.blue()) * kByteToUnit;
}

void ChooseLabelColour(CMolView& view) {
    ViewState& state = view.state;
    const QColor chosen = ColorDialog::GetColor(&view, lastLabelColourChoice);
    if (!chosen.isValid()) {
        state.labelsInElementColour = true;
        return;
    }
    lastLabelColourChoice = chosen;
    state.labelColour[0] = static_cast<float>(chosen.red()) * kByteToUnit;
    state.labelColour[1] = static_cast<float>(chosen.green()) * kByteToUnit;
    state.labelColour[2] = static_cast<float>(chosen.blue()) * kByteToUnit;
    state.labelsInElementColour = false;
}

void LabelAll(ViewState& state, const MolDocState& document) {
    state.labelledAtoms.clear();
    const CMolData* model = document.data.get();
    const int atoms = model->AtomCount(state.frame);
    for (int a = 0; a < atoms; ++a) {
        if (!document.residues.ShowsAtom(*model, state.frame, a))
            continue;
        if (state.showHydrogens == 0 && model->GetElement(state.frame, a) == 1)
            continue;
        state.labelledAtoms.push_back(a);
    }
}

} // namespace

void MolViewCommands::Add(CMolView& view, CommandTable& commands) {
    ViewState& state = view.state;
    CMolView* self = &view;
    commands.AddEnabled(
        kResetView,
        [self, &state] {
            if (const CMolData* model = self->Model()) {
                state.camera.Refit(*model, state.frame, true);
                // The surfaces drawn fit too.
                if (const MolDocState* document = self->GetDocState())
                    state.camera.FitAlso(document->surface.ReachFrom(state.camera.centre));
                self->update();
            }
        },
        [self] { return self->Model() != nullptr; });
    // Every command that changes what is drawn draws again.
    const auto redrawing = [self](std::function<void()> step) {
        return [self, step = std::move(step)] {
            step();
            self->update();
        };
    };
    const auto style = [&commands, &state, redrawing](int id, int flag) {
        commands.AddCheck(id, redrawing([&state, flag] { SetStyle(state, flag); }),
                          [&state, flag] { return (state.displayFlags & flag) != 0; });
    };
    style(kWireFrame, ViewState::kWireFrame);
    style(kBallAndStick, ViewState::kBallAndStick);
    style(kRibbon, ViewState::kRibbon);
    style(kCartoon, ViewState::kCartoon);
    for (const auto& [id, option] :
         {std::pair{kCartoonCylinders, &ViewState::cartoonHelixCylinders},
          std::pair{kCartoonLigands, &ViewState::cartoonLigands},
          std::pair{kCartoonWaters, &ViewState::cartoonWaters}})
        commands.AddCheck(
            id, redrawing([&state, option = option] { state.*option = !(state.*option); }),
            [&state, option = option] { return state.*option; });
    commands.AddCheck(kVibration,
                      redrawing([&state] { state.displayFlags ^= ViewState::kVibration; }),
                      [&state] { return (state.displayFlags & ViewState::kVibration) != 0; });
    commands.AddCheck(kShowHydrogens, redrawing([&state] {
                          state.showHydrogens = state.showHydrogens != 0 ? 0 : 1;
                      }),
                      [&state] { return state.showHydrogens != 0; });
    for (const auto& [id, mode] :
         {std::pair{kColourByAtom, kColourElement}, std::pair{kColourByResidue, kColourResidue},
          std::pair{kColourByChain, kColourChain}, std::pair{kColourBySecondary, kColourSecondary},
          std::pair{kColourByBFactor, kColourBFactor}, std::pair{kColourByRainbow, kColourRainbow}})
        commands.AddCheck(id, redrawing([&state, mode = mode] { state.colourMode = mode; }),
                          [&state, mode = mode] { return state.colourMode == mode; });
    commands.Add(kAnimation, redrawing([self] { self->animator.StartAnimation(); }));
    // Stepping: each window of the document shows the geometry chosen.
    const auto steps = [self] {
        const CMolData* model = self->Model();
        const MolDocState* document = self->GetDocState();
        return model != nullptr && model->frameCount > 1 && document->animating == 0;
    };
    for (const auto& [id, target] :
         std::initializer_list<std::pair<int, std::function<int(int, int)>>>{
             {kStepFirst, [](int, int) { return 0; }},
             {kStepPrevious, [](int shown, int) { return shown - 1; }},
             {kStepNext, [](int shown, int) { return shown + 1; }},
             {kStepLast, [](int, int count) { return count - 1; }}})
        commands.AddEnabled(
            id,
            [self, target = target] {
                const MolDocState* document = self->GetDocState();
                if (document != nullptr && document->data != nullptr)
                    self->ShowFrame(target(document->chosenFrame, document->data->frameCount));
            },
            steps);
    commands.AddEnabled(
        kCentreOnSelection, [self] { self->CentreOnSelection(); },
        [self, &state] { return self->Model() != nullptr && !state.measurementSelection.empty(); });
    commands.AddCheck(kOverlayModels,
                      redrawing([&state] { state.overlayModels = !state.overlayModels; }),
                      [&state] { return state.overlayModels; });
    commands.AddEnabled(
        kNormalModes, [self] { self->OpenModeList(); },
        [self] { return self->ShownModes() != nullptr; });
    commands.Add(kBackgroundColour, redrawing([self] { ChooseBackground(*self); }));
    commands.Add(kLabelColour, redrawing([self] { ChooseLabelColour(*self); }));
    commands.Add(kLabelAll, redrawing([self, &state] {
                     if (self->Model() != nullptr)
                         LabelAll(state, *self->GetDocState());
                 }));
    // The measuring modes, one at a time: choosing the one on again ends it.
    for (const auto& [id, atoms] : {std::pair{kMeasureDistance, 2}, std::pair{kMeasureAngle, 3},
                                    std::pair{kMeasureDihedral, 4}})
        commands.Add(
            id,
            [self, &state, atoms = atoms] {
                self->measuring.measuringAtoms =
                    self->measuring.measuringAtoms == atoms ? 0 : atoms;
                state.measurementSelection.clear();
                self->setCursor(self->measuring.measuringAtoms > 0 ? Qt::CrossCursor
                                                                   : Qt::ArrowCursor);
                self->update();
            },
            [self, atoms = atoms](CommandUpdate& command) {
                command.Enable(self->Model() != nullptr);
                command.SetCheck(self->measuring.measuringAtoms == atoms);
            });
    commands.AddCheck(
        kKeepClickMeasurements,
        [] {
            Profile::Write(Settings::kKeepClickMeasurements,
                           Profile::Read(Settings::kKeepClickMeasurements) != 0 ? 0 : 1);
        },
        [] { return Profile::Read(Settings::kKeepClickMeasurements) != 0; });
    commands.AddCheck(kLabelOutlines,
                      redrawing([&state] { state.labelOutlines = !state.labelOutlines; }),
                      [&state] { return state.labelOutlines; });
    commands.AddEnabled(kClearMeasurements, redrawing([self, &state] {
                            state.measurements.clear();
                            emit self->shownChanged();
                        }),
                        [&state] { return !state.measurements.empty(); });
    commands.Add(kLabelClear, redrawing([self, &state] {
                     if (self->Model() != nullptr)
                         state.labelledAtoms.clear();
                 }));
    commands.Add(kSavePicture, [self] { ViewPicture(self->Pictures()).SaveWithDialog(false); });
    commands.Add(kSavePictureSized, [self] { ViewPicture(self->Pictures()).SaveWithDialog(true); });
    commands.AddEnabled(
        kSaveMovieGif, [self] { ViewMovie(self->Pictures()).SaveWithDialog(true); },
        [self] { return ViewMovie::CanSave(self->Model(), self->ShownModes()); });
    // The MP4 item says when the ffmpeg program it needs is missing.
    commands.Add(
        kSaveMovieMp4,
        [self] {
            if (ViewMovie::CanSave(self->Model(), self->ShownModes()) &&
                !MovieWriter::Ffmpeg().isEmpty())
                ViewMovie(self->Pictures()).SaveWithDialog(false);
        },
        [self](CommandUpdate& update) {
            const bool ffmpeg = !MovieWriter::Ffmpeg().isEmpty();
            update.Enable(ffmpeg && ViewMovie::CanSave(self->Model(), self->ShownModes()));
            const QString text = QCoreApplication::translate("Menu", "MP4 動画保存(&M)...");
            update.SetText(ffmpeg ? text
                                  : text + QCoreApplication::translate(
                                               "CMolView", " (ffmpeg が見つかりません)"));
        });
    commands.Add(kFilePrint, [self] { ViewPrinter(self->Pictures()).Print(false); });
    commands.Add(kFilePrintPreview, [self] { ViewPrinter(self->Pictures()).Print(true); });
    commands.Add(kEditCopy, [self] { ViewPicture(self->Pictures()).CopyToClipboard(); });
}
