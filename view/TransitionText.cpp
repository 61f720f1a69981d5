#include "view/TransitionText.h"

QString TransitionText(const JobResults::Transition& t) {
    const QString spin = t.spin == ' ' ? QString() : QString(QChar(t.spin));
    return QStringLiteral("%1%2 %3 %4%2 (%5)")
        .arg(t.from)
        .arg(spin)
        .arg(t.deexcitation ? QStringLiteral("←") : QStringLiteral("→"))
        .arg(t.to)
        .arg(t.coefficient, 0, 'f', 3);
}
