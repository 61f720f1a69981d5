#pragma once

#include <QString>

class CMolData;

// How a Gaussian job whose output model holds stands, in words for the step
// pane and the chart: "実行中" while no termination line ends it, "エラー終了"
// after an error termination; empty for a job that ended normally and for
// every other file.
QString JobStateText(const CMolData& model);
