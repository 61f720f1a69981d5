#include "view/JobStateText.h"

#include "model/CMolData.h"

#include <QCoreApplication>

QString JobStateText(const CMolData& model) {
    if (model.frameCount <= 0)
        return QString();
    switch (model.termination) {
    case CMolData::Termination::kRunning:
        return QCoreApplication::translate("JobStateText", "実行中");
    case CMolData::Termination::kError:
        return QCoreApplication::translate("JobStateText", "エラー終了");
    case CMolData::Termination::kNormal:
    case CMolData::Termination::kNotAnOutput:
        break;
    }
    return QString();
}
