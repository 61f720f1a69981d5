#include "view/MeasureDialog.h"

#include "res/ControlIds.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

// One of the three layouts, in dialog units.
struct Layout {
    const char* context;
    const char* caption;
    int width, height;
    // Each atom's frame (x, y) and where its number starts in it.
    struct Atom {
        int x, y, numberOffset;
    };
    std::vector<Atom> atoms;
    int valueId, valueX, valueY;
    const char* unit;
    int okX, okWidth, cancelX, cancelWidth, buttonsY;
};

const Layout& LayoutOf(int atoms) {
    static const Layout kLayouts[] = {
        // Two atoms side by side, the distance under them.
        {"CBondDlg",
         QT_TRANSLATE_NOOP("CBondDlg", "距離"),
         133,
         73,
         {{14, 7, 21}, {71, 7, 22}},
         ControlIds::kDistance,
         47,
         30,
         "Å",
         25,
         34,
         76,
         33,
         52},
        // Three atoms stacked in a column, the angle beside the middle one.
        {"CAngleDlg",
         QT_TRANSLATE_NOOP("CAngleDlg", "角度"),
         120,
         96,
         {{7, 7, 21}, {7, 27, 22}, {7, 47, 22}},
         ControlIds::kAngle,
         63,
         27,
         "°",
         19,
         35,
         66,
         35,
         75},
        // Four atoms as a zigzag, the dihedral under the middle bond.
        {"CDihedralDlg",
         QT_TRANSLATE_NOOP("CDihedralDlg", "二面角"),
         162,
         89,
         {{7, 7, 21}, {57, 7, 22}, {57, 27, 22}, {107, 27, 22}},
         ControlIds::kDihedral,
         57,
         47,
         "°",
         39,
         35,
         88,
         35,
         68},
    };
    return kLayouts[std::clamp(atoms, 2, 4) - 2];
}

} // namespace

MeasureDialog::MeasureDialog(QWidget* parent, int atoms) : QDialog(parent), units_(this) {
    const Layout& layout = LayoutOf(atoms);
    setWindowTitle(QCoreApplication::translate(layout.context, layout.caption));
    setFixedSize(units_.Rect(0, 0, layout.width, layout.height).size());
    // Each atom's symbol and number carry the ids of the first, second, ...
    // atom: numbers from kFirstNumber, symbols after them, the value's id
    // between the second and third atom's.
    static const int kIds[4][2] = {{ControlIds::kFirstSymbol, ControlIds::kFirstNumber},
                                   {ControlIds::kSecondSymbol, ControlIds::kSecondNumber},
                                   {ControlIds::kThirdSymbol, ControlIds::kThirdNumber},
                                   {ControlIds::kFourthSymbol, ControlIds::kFourthNumber}};
    for (std::size_t a = 0; a < layout.atoms.size(); ++a) {
        const Layout::Atom& at = layout.atoms[a];
        auto* frame = new QFrame(this);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        units_.Place(frame, at.x, at.y, 48, 15);
        auto* symbol = new QLabel(QStringLiteral("MM"), this);
        symbol->setObjectName(QString::number(kIds[a][0]));
        units_.Place(symbol, at.x + 3, at.y + 3, 12, 8);
        auto* number = new QLabel(QStringLiteral("12345"), this);
        number->setObjectName(QString::number(kIds[a][1]));
        units_.Place(number, at.x + at.numberOffset, at.y + 3, 21, 8);
        symbolTexts_.push_back(symbol);
        numberTexts_.push_back(number);
    }
    value_ = new QLineEdit(this);
    value_->setObjectName(QString::number(layout.valueId));
    value_->setAlignment(Qt::AlignRight);
    units_.Place(value_, layout.valueX, layout.valueY, 40, 14);
    unit_ = new QLabel(QString::fromUtf8(layout.unit), this);
    units_.Place(unit_, layout.valueX + 41, layout.valueY + 2, 9, 8);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    units_.Place(ok, layout.okX, layout.buttonsY, layout.okWidth, 14);
    auto* cancel = new QPushButton(QCoreApplication::translate("MeasureDialog", "ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    units_.Place(cancel, layout.cancelX, layout.buttonsY, layout.cancelWidth, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    symbols.resize(layout.atoms.size());
    numbers.resize(layout.atoms.size());
}

void MeasureDialog::showEvent(QShowEvent* event) {
    for (std::size_t a = 0; a < symbolTexts_.size(); ++a) {
        symbolTexts_[a]->setText(a < symbols.size() ? symbols[a] : QString());
        numberTexts_[a]->setText(a < numbers.size() ? numbers[a] : QString());
    }
    value_->setText(value);
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->sizeHint().width() > label->width())
            label->resize(label->sizeHint().width(), label->height());
    }
    // The text, the edit's own margins (2 pixels a side), its frame and room
    // for the cursor.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, value_);
    const QMargins margins = value_->textMargins();
    const int needed = value_->fontMetrics().horizontalAdvance(value_->text()) + 2 * 2 + 2 * frame +
                       margins.left() + margins.right() + 2;
    const int grow = needed - value_->width();
    if (grow > 0) {
        value_->resize(needed, value_->height());
        unit_->move(unit_->x() + grow, unit_->y());
        setFixedSize(width() + grow, height());
    }
    value_->setCursorPosition(0);
    QDialog::showEvent(event);
}
