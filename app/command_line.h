#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace lw {

struct CommandLine
{
    enum class Mode
    {
        Window,
        Generate,
        Check,
        Help,
        Version,
        UsageError
    };
    Mode mode = Mode::Window;
    bool preview = false;
    bool json = false;   // --check --format json
    bool verify = true;  // --generate without --no-verify: the uploaded pictures are looked for on the web
    QString adFile;      // the first ad file named
    QStringList adFiles; // every ad file named, in order
    QString outputDir;   // --generate --output-dir: one page file per ad in this folder
    QString error;
};

// Arguments after the program name.
CommandLine parseCommandLine(const QStringList& arguments);
QString usageText();

// Listwright --generate [--preview] [AD.zad]: start-up as the window does, then
// Generate or Preview, the page to `out`. Returns the exit status.
// Listwright --generate [--preview] --output-dir DIR AD.zad...: the same for each ad, each with a
// start-up of its own, its page written to DIR (pageFileNames) and a line on `messages` that says
// where it went or what stopped it. 1 when any ad failed.
int runGenerateCommand(const CommandLine& command, std::FILE* out, std::FILE* messages);

// The page file of each ad, in order: the ad's file name without ".zad", and ".html". When ads from
// different folders share a name, the later ones get "-2", "-3" ... before ".html", never the name
// another of the ads has of its own; names that differ only in case count as the same.
QStringList pageFileNames(const QStringList& adFiles);

// Listwright --check [--format json] [AD.zad]: start-up as the window does, then the page as Generate
// would make it (nothing uploaded) checked against the auction site's rules, one finding a line as
// "KIND: RULE: WHERE: TEXT" or as JSON. 0 when nothing would be rejected, 1 when something would
// or the ad could not be made. With several ads each line starts with the ad file and a colon, and the
// JSON is an array of the reports.
int runCheckCommand(const CommandLine& command, std::FILE* out, std::FILE* messages);

} // namespace lw
