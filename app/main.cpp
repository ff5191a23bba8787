#include "app/command_line.h"
#include "app/ui/window_program.h"
#include "core/install_folder.h"
#include "support/file_association.h"
#include "support/ui/form_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const lw::CommandLine command = lw::parseCommandLine(arguments);

    switch (command.mode) {
    case lw::CommandLine::Mode::Help: {
        const QByteArray text = lw::usageText().toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    case lw::CommandLine::Mode::Version:
        std::fputs("Listwright 2.3.2 (revision 5)\n", stdout);
        return 0;
    case lw::CommandLine::Mode::UsageError: {
        const QByteArray text = (u"Listwright: "_s + command.error + u"\n\n"_s + lw::usageText()).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
        return 2;
    }
    case lw::CommandLine::Mode::Generate: {
        // No display is needed to generate an ad.
        QCoreApplication app(argc, argv);
        return lw::runGenerateCommand(command, stdout, stderr);
    }
    case lw::CommandLine::Mode::Check: {
        QCoreApplication app(argc, argv);
        return lw::runCheckCommand(command, stdout, stderr);
    }
    case lw::CommandLine::Mode::Window:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Listwright"_s);
    // Lets the desktop match the windows to the menu entry (and its icon) on Wayland.
    QGuiApplication::setDesktopFileName(u"listwright"_s);
    // Before the window, so that ad files open in this program from now on. An installed
    // program's package brings the association for every user.
    if (!lw::isInstalled())
        lw::RegisterAssociation(QCoreApplication::applicationFilePath(), lw::installFolder());
    lw::useFallbackIconTheme(QApplication::palette());
    QApplication::setWindowIcon(QIcon(lw::installPath(u"graphics/Listwright.svg"_s)));
    lw::WindowProgram program;
    program.start(command.adFile, [&app] {
        if (qEnvironmentVariableIsSet("LISTWRIGHT_QUIT_WHEN_IDLE"))
            QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
    });
    const int status = app.exec();
    program.finishKeyring();
    return status;
}
