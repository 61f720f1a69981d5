#pragma once

#include <QString>

// The language of the user interface. The program's texts are written in
// Japanese; English comes from a translation built into the program.
class UiLanguage {
public:
    enum Kind { kJapanese, kEnglish };
    // Values of the stored choice ("Language" in the settings): none made
    // (Japanese), Japanese, English, or as the desktop's.
    enum Stored { kStoredNone = 0, kStoredJapanese = 1, kStoredEnglish = 2, kFollowDesktop = 3 };

    // The language the environment asks for, as gettext reads it: the locale
    // of messages (LC_ALL, else LC_MESSAGES, else LANG) and, unless that is
    // the C or POSIX locale, the LANGUAGE priority list before it. Japanese
    // for ja; Japanese too for the C/POSIX locale or none at all, as the
    // program has always spoken; English for every other language.
    static Kind FromEnvironment(const QString& language, const QString& lcAll,
                                const QString& lcMessages, const QString& lang);
    static Kind FromEnvironment();

    // The language to use: the command line's --lang (ja or en) when given,
    // else the stored choice; Japanese whatever the locale unless the stored
    // choice is to follow the desktop (then the environment's).
    static Kind Choose(const QString& option, int stored, Kind environment);

    // Installs the texts of kind for the program and for Qt's own dialogs
    // (each translator lives as long as the application), and the font: the
    // Japanese interface keeps its Japanese font, the English one the
    // desktop's default. Returns whether the program's translation loaded.
    static bool Install(Kind kind);

    // Chooses from option, the stored choice and the environment, and
    // installs the language chosen, as the program does at start-up.
    static Kind SetUp(const QString& option);

    static Kind Current() { return current_; }

private:
    static Kind current_;
};
