#include "core/install_folder.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace lw {

namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}
} // namespace

void setInstallFolderOverride(const QString& folder)
{
    overrideFolder() = withoutTrailingSeparator(folder);
}

QString installFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    const QString env = qEnvironmentVariable("LISTWRIGHT_HOME");
    if (!env.isEmpty())
        return withoutTrailingSeparator(QDir::fromNativeSeparators(env));
    if (QCoreApplication::instance())
        return withoutTrailingSeparator(QCoreApplication::applicationDirPath());
    return withoutTrailingSeparator(QDir::currentPath());
}

QString installPath(const QString& relative)
{
    return installFolder() + u'/' + relative;
}

QString fileNameOf(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

} // namespace lw
