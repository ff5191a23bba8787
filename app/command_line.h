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
    bool json = false; // --check --format json
    QString adFile;
    QString error;
};

// Arguments after the program name.
CommandLine parseCommandLine(const QStringList& arguments);
QString usageText();

// Listwright --generate [--preview] [AD.zad]: start-up as the window does, then
// Generate or Preview, the page to `out`. Returns the exit status.
int runGenerateCommand(const CommandLine& command, std::FILE* out, std::FILE* messages);

// Listwright --check [--format json] [AD.zad]: start-up as the window does, then the page as Generate
// would make it (nothing uploaded) checked against the auction site's rules, one finding a line as
// "KIND: RULE: WHERE: TEXT" or as JSON. 0 when nothing would be rejected, 1 when something would
// or the ad could not be made.
int runCheckCommand(const CommandLine& command, std::FILE* out, std::FILE* messages);

} // namespace lw
