#include "core/user_files.h"

#include "core/install_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString xdgFolder(QStandardPaths::StandardLocation base, const QString& below)
{
    return QStandardPaths::writableLocation(base) + u"/listwright/"_s + below;
}

// The seller's folders hold passwords: made for the owner alone.
void makeFolderFor(const QString& path, QStandardPaths::StandardLocation base)
{
    const QString own = QStandardPaths::writableLocation(base) + u"/listwright"_s;
    const bool fresh = !QFileInfo::exists(own);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (fresh)
        QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString readable(const QString& own, const QString& installed)
{
    if (QFileInfo::exists(own) || !QFileInfo::exists(installed))
        return own;
    return installed;
}

} // namespace

QString userConfigFolder()
{
    if (!isInstalled())
        return installFolder() + u'/';
    return xdgFolder(QStandardPaths::GenericConfigLocation, {});
}

QString userTemplateFolder()
{
    if (!isInstalled())
        return installFolder() + u"/templates/"_s;
    return xdgFolder(QStandardPaths::GenericDataLocation, u"templates/"_s);
}

QString userFileToWrite(const QString& name)
{
    const QString path = userConfigFolder() + name;
    if (isInstalled())
        makeFolderFor(path, QStandardPaths::GenericConfigLocation);
    return path;
}

QString userFileToRead(const QString& name)
{
    return readable(userConfigFolder() + name, installPath(name));
}

QString templateFileToWrite(const QString& name)
{
    const QString path = userTemplateFolder() + name;
    if (isInstalled())
        makeFolderFor(path, QStandardPaths::GenericDataLocation);
    return path;
}

QString templateFileToRead(const QString& name)
{
    return readable(userTemplateFolder() + name, installPath(u"templates/"_s + name));
}

} // namespace lw
