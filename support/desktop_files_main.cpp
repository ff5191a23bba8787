// Writes the desktop entry and the MIME package an installation ships, from the same text the
// program writes into a user's folders when it runs from its own folder.
#include "support/file_association.h"

#include "core/text_file.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: lw_desktop_files FOLDER PROGRAM\n", stderr);
        return 2;
    }
    const QString folder = args[1];
    const QString exec = lw::desktopExecArgument(args[2]);
    QString error;
    if (exec.isEmpty() || !QDir().mkpath(folder) ||
        !lw::writeFileAtomic(folder + u'/' + QString::fromLatin1(lw::AdDesktopFile), lw::desktopEntry(exec),
                             &error) ||
        !lw::writeFileAtomic(folder + u"/listwright.xml"_s, lw::mimePackage(), &error)) {
        std::fprintf(stderr, "lw_desktop_files: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
