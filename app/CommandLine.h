#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// What the ravek command line asks for:
//
//   ravek [--new-instance] [FILE...]  opens each FILE in a window of its own,
//                                     or one empty molecule window; a program
//                                     already running takes the files unless
//                                     --new-instance is given
//   ravek --screenshot OUT.png [FILE] saves a picture of the main window once
//                                     the first picture is drawn, then exits
//   ravek --export-picture OUT [--size WxH] [--scale N] [--dpi N] [--transparent]
//         [--style wire|ball|ribbon|cartoon] [--colour SCHEME] [--script CMDS] FILE
//                                     draws FILE off-screen into OUT, no window,
//                                     after the view commands in CMDS
//   ravek --export-movie OUT --frames opt|opt:FIRST-LAST|vib:MODE [--fps N]
//         [--size WxH] [--style wire|ball|ribbon|cartoon] [--colour SCHEME]
//         [--script CMDS] FILE
//                                     a movie of FILE's geometries or of one period
//                                     of a normal mode, no window
//   ravek --lang ja|en ...            the interface's language for this run
//   ravek --help | --version
struct CommandLine {
    enum class Outcome {
        kRun,   // start as asked
        kDone,  // help or version printed: exit 0
        kUsage, // a wrong command line, said on stderr: exit 2
    };
    Outcome outcome = Outcome::kRun;
    QString file;      // the first file named (the only one in batch runs)
    QStringList files; // every file named
    QString screenshot;
    QString exportPicture;
    QSize size{800, 600};
    QString style; // wire, ball, ribbon, cartoon, or empty for the stored style
    // The colour scheme (a ColourScheme) --colour names, or -1 for the stored one.
    int colourScheme = -1;
    // A file of view commands run before drawing (docs/commands.md).
    QString script;
    // The names --colour takes, in ColourScheme order.
    static const QStringList& ColourSchemeNames();
    // --export-picture: --size times scale; dpi 0 writes none.
    int scale = 1;
    int dpi = 0;
    bool transparent = false;
    // --export-movie: which frames (geometries first..last from 1, last 0
    // for the final one; or normal mode first), frames per second (0: the
    // stored rate).
    QString exportMovie;
    enum class MovieFrames { kOptimisation, kVibration };
    MovieFrames movieFrames = MovieFrames::kOptimisation;
    int movieFirst = 1;
    int movieLast = 0;
    int fps = 0;
    // Not to hand the files to a running program (batch runs never do).
    bool newInstance = false;
    // The interface's language, "ja" or "en"; empty: as the settings say.
    QString language;

    // Parses arguments (the program's name first). Help and version go to
    // stdout, a usage error with the usage line to stderr.
    static CommandLine Parse(const QStringList& arguments);
    // Whether arguments hold option name in any of the spellings the parser
    // takes: --name, -name, --name=VALUE, -name=VALUE.
    static bool Mentions(const QStringList& arguments, const QString& name);
};
