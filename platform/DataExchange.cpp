#include "platform/DataExchange.h"

#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>

namespace {

bool Refuse(QLineEdit* edit, const QString& message) {
    MessageBox::Show(edit->window(), message, MessageBox::kWarning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

} // namespace

namespace DataExchange {

void Check(bool save, QAbstractButton* box, int& value) {
    if (save)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

bool Number(bool save, QLineEdit* edit, int& value, int minimum, int maximum) {
    if (!save) {
        edit->setText(QString::number(value));
        return true;
    }
    bool ok = false;
    const int typed = edit->text().trimmed().toInt(&ok);
    if (!ok)
        return Refuse(edit,
                      QCoreApplication::translate("DataExchange", "整数を入力してください。"));
    if (typed < minimum || typed > maximum)
        return Refuse(edit, QCoreApplication::translate("DataExchange",
                                                        "%1 から %2 までの整数を入力してください。")
                                .arg(minimum)
                                .arg(maximum));
    value = typed;
    return true;
}

bool Text(bool save, QLineEdit* edit, QString& value, int maxLength) {
    if (!save) {
        edit->setText(value);
        return true;
    }
    if (edit->text().size() > maxLength)
        return Refuse(edit,
                      QCoreApplication::translate("DataExchange", "%1 文字以内で入力してください。")
                          .arg(maxLength));
    value = edit->text();
    return true;
}

void Radio(bool save, QAbstractButton* const* buttons, int count, int& value) {
    if (!save) {
        for (int i = 0; i < count; ++i)
            buttons[i]->setChecked(i == value);
        return;
    }
    value = -1;
    for (int i = 0; i < count; ++i) {
        if (buttons[i]->isChecked())
            value = i;
    }
}

} // namespace DataExchange
