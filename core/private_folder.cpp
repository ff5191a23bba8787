#include "core/private_folder.h"

#include "core/file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// A real directory (not a link) of this user that nobody else may enter.
bool isOwnPrivateFolder(const QString& path)
{
    struct stat st
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

bool makeOrCheck(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return isOwnPrivateFolder(path);
}

QString withSlash(QString folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

std::optional<QString> privateFolder(const QString& tempFolder, QString* error)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isOwnPrivateFolder(runtime)) {
        const QString folder = withSlash(runtime) + u"listwright"_s;
        if (makeOrCheck(folder))
            return folder + u'/';
    }
    const QString base = tempFolder.isEmpty() ? QString() : withSlash(tempFolder);
    const QString named = base + u"listwright-"_s + QString::number(::getuid());
    if (makeOrCheck(named))
        return named + u'/';
    // The usual name is taken by something that is not ours: a folder of our own for this run.
    static QString fresh;
    if (fresh.isEmpty() || !isOwnPrivateFolder(fresh)) {
        QByteArray pattern = QFile::encodeName(named + u"-XXXXXX"_s);
        if (!::mkdtemp(pattern.data())) {
            if (error)
                *error = QString::fromLocal8Bit(std::strerror(errno));
            return std::nullopt;
        }
        fresh = QFile::decodeName(pattern);
    }
    return fresh + u'/';
}

bool writeFileReplacingLinks(const QString& path, const QByteArray& bytes, QString* error)
{
    return writeFile(path, bytes, {true, true}, error);
}

} // namespace lw
