#include "view/ViewSettings.h"

#include "platform/Profile.h"
#include "render/ViewState.h"
#include "res/SettingsKeys.h"

#include <algorithm>
#include <cmath>

ViewSettings ViewSettings::Read(ViewState& view) {
    view.displayFlags = Profile::Read(Settings::kDisplayMode);
    view.colourMode = Profile::Read(Settings::kColorMode);
    view.showHydrogens = Profile::Read(Settings::kDispHydrogen);
    view.arrowScale = std::clamp(Profile::Read(Settings::kArrowScale) / 100.0, 0.1, 50.0);
    view.cartoonHelixCylinders = Profile::Read(Settings::kCartoonCylinders) != 0;
    view.cartoonLigands = Profile::Read(Settings::kCartoonLigands) != 0;
    view.cartoonWaters = Profile::Read(Settings::kCartoonWaters) != 0;
    view.labelOutlines = Profile::Read(Settings::kLabelOutlines) != 0;
    ViewSettings settings;
    settings.vibrationAmplitude =
        std::clamp(Profile::Read(Settings::kVibrationAmplitude) / 100.0, 0.05, 3.0);
    settings.vibrationPeriod =
        std::clamp(Profile::Read(Settings::kVibrationPeriod) / 1000.0, 0.2, 10.0);
    return settings;
}

void ViewSettings::Write(const ViewState& view, const ViewSettings& settings, bool initStart) {
    Profile::Write(Settings::kDisplayMode, initStart ? 1 : view.displayFlags);
    Profile::Write(Settings::kColorMode, initStart ? 0 : view.colourMode);
    Profile::Write(Settings::kDispHydrogen, initStart ? 1 : view.showHydrogens);
    Profile::Write(Settings::kVibrationAmplitude,
                   static_cast<int>(std::lround(settings.vibrationAmplitude * 100.0)));
    Profile::Write(Settings::kVibrationPeriod,
                   static_cast<int>(std::lround(settings.vibrationPeriod * 1000.0)));
    Profile::Write(Settings::kArrowScale, static_cast<int>(std::lround(view.arrowScale * 100.0)));
    Profile::Write(Settings::kCartoonCylinders, !initStart && view.cartoonHelixCylinders ? 1 : 0);
    Profile::Write(Settings::kCartoonLigands, initStart || view.cartoonLigands ? 1 : 0);
    Profile::Write(Settings::kCartoonWaters, initStart || view.cartoonWaters ? 1 : 0);
    Profile::Write(Settings::kLabelOutlines, !initStart && view.labelOutlines ? 1 : 0);
}
