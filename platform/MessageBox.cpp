#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

namespace {

bool& BatchMode() {
    static bool batch = false;
    return batch;
}

bool& ErrorReported() {
    static bool reported = false;
    return reported;
}

QMessageBox::Icon IconOf(MessageBox::Kind kind) {
    switch (kind) {
    case MessageBox::kError:
        return QMessageBox::Critical;
    case MessageBox::kWarning:
        return QMessageBox::Warning;
    case MessageBox::kInformation:
        return QMessageBox::Information;
    case MessageBox::kQuestion:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

int Ask(QWidget* parent, const QString& text, MessageBox::Kind kind, bool question) {
    QMessageBox box(IconOf(kind), QCoreApplication::applicationName(), text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (question) {
        box.button(QMessageBox::Yes)
            ->setText(QCoreApplication::translate("MessageBox", "はい(&Y)"));
        box.button(QMessageBox::No)
            ->setText(QCoreApplication::translate("MessageBox", "いいえ(&N)"));
    }
    return box.exec();
}

} // namespace

void MessageBox::Show(QWidget* parent, const QString& text, Kind kind) {
    if (BatchMode()) {
        std::fprintf(stderr, "ravek: %s\n", text.toLocal8Bit().constData());
        if (kind == kError || kind == kWarning)
            ErrorReported() = true;
        return;
    }
    Ask(parent, text, kind, false);
}

bool MessageBox::AskYesNo(QWidget* parent, const QString& text) {
    if (BatchMode())
        return true; // the box's default button
    return Ask(parent, text, kQuestion, true) == QMessageBox::Yes;
}

void MessageBox::ShowCannotOpen(QWidget* parent, const QString& path, const QString& reason) {
    Show(parent, QCoreApplication::translate("MessageBox", "ファイル %1 を開けません。\n%2")
                     .arg(QDir::toNativeSeparators(path), reason));
}

void MessageBox::ShowCannotSave(QWidget* parent, const QString& path, const QString& reason) {
    Show(parent,
         QCoreApplication::translate(
             "MessageBox", "ファイル %1 に保存できません。元のファイルは変更されていません。\n%2")
             .arg(QDir::toNativeSeparators(path), reason));
}

void MessageBox::SetBatchMode(bool batch) {
    BatchMode() = batch;
}

bool MessageBox::ErrorWasReported() {
    return ErrorReported();
}
