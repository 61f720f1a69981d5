#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QWidget;

// Message boxes captioned with the program's name. In batch mode (a run
// that no person watches) nothing waits: the text goes to the standard error
// stream and a question takes the box's default answer, Yes.
class MessageBox {
public:
    enum Kind { kError, kWarning, kInformation, kQuestion };

    // details, when given, go into the box's "show details" part (and to
    // the standard error stream in batch mode).
    static void Show(QWidget* parent, const QString& text, Kind kind = kError,
                     const QString& details = QString());
    // A Yes/No question; true for Yes.
    static bool AskYesNo(QWidget* parent, const QString& text);

    // "A file could not be opened / written" with the path and the reason.
    static void ShowCannotOpen(QWidget* parent, const QString& path, const QString& reason);
    static void ShowCannotSave(QWidget* parent, const QString& path, const QString& reason);
    // A message about one file of a batch (why it gave no molecule): shown,
    // or gathered into the batch's box while a Gathering lives.
    static void ShowAboutFile(QWidget* parent, const QString& text);

    // While one lives, the "cannot open" messages of a batch of files (those
    // another start handed over, say) and the messages about files of it are
    // gathered instead of shown, and Show puts each kind in one box.
    class Gathering {
    public:
        Gathering();
        ~Gathering();
        Gathering(const Gathering&) = delete;
        Gathering& operator=(const Gathering&) = delete;
        // One box for every file that could not be opened (the first
        // kShownFiles named in it, all in its details when there are more),
        // then one for the messages about files, the same way; none when
        // there is nothing to say.
        void Show(QWidget* parent);
        static constexpr int kShownFiles = 12;

    private:
        friend class MessageBox;
        QList<QPair<QString, QString>> failures_; // path, reason
        QStringList notes_;                       // messages about files
        Gathering* outer_;
    };

    static void SetBatchMode(bool batch);
    // Whether an error or a warning was reported in batch mode.
    static bool ErrorWasReported();
};
