#include "core/file_writer.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// The umask without changing it (umask() sets it for every thread at once).
mode_t currentUmask()
{
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask);
            }
    return 022;
}

// Whether the file holds exactly these bytes.
bool holds(const QByteArray& name, const QByteArray& bytes)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QByteArray there(bytes.size(), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < there.size()) {
        const ssize_t n = ::read(fd, there.data() + done, size_t(there.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    char more = 0;
    const bool atEnd = done == there.size() && ::read(fd, &more, 1) == 0;
    ::close(fd);
    return atEnd && there == bytes;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QString writeFailureText(int code, const QString& folder, const QString& keptFile)
{
    QString why;
    switch (code) {
    case ENOSPC:
        why = u"the disk is full"_s;
        break;
    case EDQUOT:
        why = u"you have used all the disk space you may use"_s;
        break;
    case EACCES:
    case EPERM:
        why = u"you may not create files in this folder"_s;
        break;
    case EROFS:
        why = u"the disk can only be read"_s;
        break;
    case ENOENT:
    case ENOTDIR:
        why = u"the folder does not exist"_s;
        break;
    default:
        why = QString::fromLocal8Bit(std::strerror(code));
        if (!why.isEmpty())
            why[0] = why[0].toLower();
        break;
    }
    QString text = u"Nothing could be written in the folder "_s + folder + u": "_s + why + u'.';
    if (!keptFile.isEmpty())
        text += u' ' + keptFile + u" is as it was before."_s;
    return text;
}

bool writeFile(const QString& path, const QByteArray& bytes, const FileWrite& how, QString* error)
{
    QString target = QFileInfo(path).absoluteFilePath();
    struct stat st
    {
    };
    bool exists = ::lstat(QFile::encodeName(target).constData(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode) && !how.replaceLink) {
        // A seller who links a file elsewhere (a synced folder) keeps the link.
        target = QFileInfo(target).symLinkTarget();
        exists = ::stat(QFile::encodeName(target).constData(), &st) == 0;
    }
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QByteArray name = QFile::encodeName(target);
    const bool regular = exists && S_ISREG(st.st_mode);
    const mode_t mode = how.privateFile ? mode_t(0600)
                        : regular       ? st.st_mode & 07777
                                        : 0666 & ~currentUmask();

    // The same bytes are not written again: a start that changes nothing writes nothing.
    if (regular && st.st_size == bytes.size() && holds(name, bytes)) {
        if ((st.st_mode & 07777) != mode)
            ::chmod(name.constData(), mode);
        return true;
    }

    auto fail = [&](int code) {
        if (error)
            *error = writeFailureText(code, folder, regular ? info.fileName() : QString());
        return false;
    };
    const QByteArray stem = QFile::encodeName(info.fileName());
    QByteArray temporary =
        QFile::encodeName(folder) + '/' + (stem.size() < 200 ? '.' + stem : QByteArray(".lw")) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    bool ok = ::fchmod(fd, mode) == 0;
    if (ok && regular && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        // Kept when allowed (the administrator saving a seller's file); no reason to fail otherwise.
        [[maybe_unused]] const int owner = ::fchown(fd, st.st_uid, st.st_gid);
    }
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int code = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temporary.constData(), name.constData()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return fail(code);
    }
    // The rename itself reaches the disk with the folder. The file is in place whatever this answers.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace lw
