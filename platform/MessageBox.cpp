#include "platform/MessageBox.h"

#include "platform/LocalPath.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <utility>

namespace {

bool& BatchMode() {
    static bool batch = false;
    return batch;
}

MessageBox::Gathering*& CurrentGathering() {
    static MessageBox::Gathering* gathering = nullptr;
    return gathering;
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

int Ask(QWidget* parent, const QString& text, MessageBox::Kind kind, bool question,
        const QString& details = QString()) {
    QMessageBox box(IconOf(kind), QCoreApplication::applicationName(), text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setDetailedText(details);
    if (question) {
        box.button(QMessageBox::Yes)
            ->setText(QCoreApplication::translate("MessageBox", "はい(&Y)"));
        box.button(QMessageBox::No)
            ->setText(QCoreApplication::translate("MessageBox", "いいえ(&N)"));
    }
    return box.exec();
}

QString CannotOpenText(const QString& path, const QString& reason) {
    return QCoreApplication::translate("MessageBox", "ファイル %1 を開けません。\n%2")
        .arg(QDir::toNativeSeparators(LocalPath::Display(path)), reason);
}

} // namespace

void MessageBox::Show(QWidget* parent, const QString& text, Kind kind, const QString& details) {
    if (BatchMode()) {
        std::fprintf(stderr, "ravek: %s\n", text.toLocal8Bit().constData());
        if (!details.isEmpty())
            std::fprintf(stderr, "%s\n", details.toLocal8Bit().constData());
        if (kind == kError || kind == kWarning)
            ErrorReported() = true;
        return;
    }
    Ask(parent, text, kind, false, details);
}

bool MessageBox::AskYesNo(QWidget* parent, const QString& text) {
    if (BatchMode())
        return true; // the box's default button
    return Ask(parent, text, kQuestion, true) == QMessageBox::Yes;
}

void MessageBox::ShowCannotOpen(QWidget* parent, const QString& path, const QString& reason) {
    if (Gathering* gathering = CurrentGathering()) {
        gathering->failures_.append({path, reason});
        return;
    }
    Show(parent, CannotOpenText(path, reason));
}

void MessageBox::ShowAboutFile(QWidget* parent, const QString& text) {
    if (Gathering* gathering = CurrentGathering()) {
        gathering->notes_.append(text);
        return;
    }
    Show(parent, text);
}

void MessageBox::ShowCannotSave(QWidget* parent, const QString& path, const QString& reason) {
    Show(parent,
         QCoreApplication::translate(
             "MessageBox", "ファイル %1 に保存できません。元のファイルは変更されていません。\n%2")
             .arg(QDir::toNativeSeparators(LocalPath::Display(path)), reason));
}

MessageBox::Gathering::Gathering() : outer_(CurrentGathering()) {
    CurrentGathering() = this;
}

MessageBox::Gathering::~Gathering() {
    CurrentGathering() = outer_;
}

namespace {

// One box for lines of a batch: the first kShownFiles of them, then how
// many more, all of them in its details; text (when given) names them.
void ShowLines(QWidget* parent, const QStringList& lines, const QString& text) {
    if (lines.isEmpty())
        return;
    // A box no taller than the screen: the first files named, all of them in
    // its details.
    constexpr int shownFiles = MessageBox::Gathering::kShownFiles;
    QStringList shown = lines.mid(0, shownFiles);
    if (lines.size() > shownFiles)
        shown << QCoreApplication::translate("MessageBox", "ほか %1 個のファイル")
                     .arg(lines.size() - shownFiles);
    const QString joined = shown.join(QLatin1Char('\n'));
    MessageBox::Show(parent, text.isEmpty() ? joined : text.arg(joined), MessageBox::kError,
                     lines.size() > shownFiles ? lines.join(QLatin1Char('\n')) : QString());
}

} // namespace

void MessageBox::Gathering::Show(QWidget* parent) {
    // What fails while the box is up is no longer this batch's.
    CurrentGathering() = outer_;
    const QList<QPair<QString, QString>> failures = std::exchange(failures_, {});
    const QStringList notes = std::exchange(notes_, {});
    if (failures.size() == 1) {
        MessageBox::Show(parent, CannotOpenText(failures.front().first, failures.front().second));
    } else {
        QStringList lines;
        for (const auto& [path, reason] : failures)
            lines << QDir::toNativeSeparators(LocalPath::Display(path)) + QStringLiteral(": ") +
                         reason;
        ShowLines(parent, lines,
                  QCoreApplication::translate("MessageBox", "次のファイルを開けません。\n%1"));
    }
    ShowLines(parent, notes, QString());
}

void MessageBox::SetBatchMode(bool batch) {
    BatchMode() = batch;
}

bool MessageBox::ErrorWasReported() {
    return ErrorReported();
}
