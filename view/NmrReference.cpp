#include "view/NmrReference.h"

#include "model/ElementTable.h"
#include "platform/Profile.h"
#include "res/SettingsKeys.h"

#include <QString>

#include <cmath>
#include <limits>

double NmrReference::Shielding(int element) {
    const QString stored = Profile::GetString(QString::fromLatin1(Settings::kNmrReferenceSection),
                                              QString::fromLatin1(ElementTable::Symbol(element)));
    bool ok = false;
    const double value = stored.toDouble(&ok);
    if (ok && std::isfinite(value))
        return value;
    // Tetramethylsilane, GIAO B3LYP/6-311+G(2d,p) at its B3LYP/6-31G(d)
    // geometry.
    switch (element) {
    case 1:
        return 31.8821;
    case 6:
        return 182.4656;
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
}

void NmrReference::SetShielding(int element, double ppm) {
    Profile::WriteString(QString::fromLatin1(Settings::kNmrReferenceSection),
                         QString::fromLatin1(ElementTable::Symbol(element)),
                         QString::number(ppm, 'g', 10));
}
