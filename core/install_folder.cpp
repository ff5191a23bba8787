#include "core/install_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

struct Location
{
    InstallLayout layout = InstallLayout::Portable;
    QString content;
    QString programs;
};

Location& overrideLocation()
{
    static Location location;
    return location;
}

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}

Location fromProgramFolder(const QString& programs)
{
    // The share/listwright of the prefix the program is installed in, as the build placed it.
    const QString shared = QDir::cleanPath(programs + u'/' + QStringLiteral(LW_CONTENT_FROM_PROGRAMS));
    if (!QFileInfo::exists(programs + u"/templates"_s) && QFileInfo::exists(shared + u"/templates"_s))
        return {InstallLayout::Installed, shared, programs};
    return {InstallLayout::Portable, programs, programs};
}

Location location()
{
    if (!overrideLocation().content.isEmpty())
        return overrideLocation();
    const QString env = qEnvironmentVariable("LISTWRIGHT_HOME");
    if (!env.isEmpty()) {
        const QString folder = withoutTrailingSeparator(QDir::fromNativeSeparators(env));
        return {InstallLayout::Portable, folder, folder};
    }
    if (!QCoreApplication::instance()) {
        const QString folder = withoutTrailingSeparator(QDir::currentPath());
        return {InstallLayout::Portable, folder, folder};
    }
    // The program does not move while it runs: looked at once.
    static const Location found =
        fromProgramFolder(withoutTrailingSeparator(QCoreApplication::applicationDirPath()));
    return found;
}

} // namespace

void setInstallFolderOverride(const QString& folder, InstallLayout layout)
{
    const QString f = withoutTrailingSeparator(folder);
    overrideLocation() = {layout, f, f};
}

InstallLayout installLayout()
{
    return location().layout;
}

bool isInstalled()
{
    return installLayout() == InstallLayout::Installed;
}

QString installFolder()
{
    return location().content;
}

QString programFolder()
{
    return location().programs;
}

QString installPath(const QString& relative)
{
    return installFolder() + u'/' + relative;
}

QString programPath(const QString& relative)
{
    return programFolder() + u'/' + relative;
}

QString fileNameOf(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

} // namespace lw
