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
        Help,
        Version,
        UsageError
    };
    Mode mode = Mode::Window;
    bool preview = false;
    QString adFile;
    QString error;
};

// Arguments after the program name.
CommandLine parseCommandLine(const QStringList& arguments);
QString usageText();

// Listwright --generate [--preview] [AD.zad]: start-up as the window does, then
// Generate or Preview, the page to `out`. Returns the exit status.
int runGenerateCommand(const CommandLine& command, std::FILE* out, std::FILE* messages);

} // namespace lw
