#pragma once

#include "model/JobResults.h"

#include <QString>

// An excited state's orbital transition as the results panel and the
// spectrum's tooltips write it: "103 → 108 (0.595)", with A or B after the
// numbers in an unrestricted job, ← for a de-excitation.
QString TransitionText(const JobResults::Transition& transition);
