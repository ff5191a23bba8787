#include "tests/testlib/disk_trouble.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {

bool capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

constexpr unsigned FileOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

} // namespace

SmallDisk::SmallDisk(const QString& folder, int bytes) : m_folder(folder)
{
    if (::geteuid() != 0) {
        skip = u"mounting a small file system takes root"_s;
        return;
    }
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        options.constData()) == 0;
    if (!m_mounted)
        skip = u"no small file system could be mounted: "_s + QString::fromLocal8Bit(strerror(errno));
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void SmallDisk::fill() const
{
    const int fd = ::open(QFile::encodeName(m_folder + u"/.filler"_s).constData(), O_WRONLY | O_CREAT, 0600);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    while (::write(fd, "f", 1) > 0) {
    }
    ::close(fd);
}

NoCreateRights::NoCreateRights(const QString& folder) : m_folder(folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::ExeOther);
    __user_cap_data_struct data[2]{};
    if (capabilities(data, false) && (data[0].effective & FileOverrides)) {
        m_effective = data[0].effective;
        data[0].effective &= ~FileOverrides;
        m_dropped = capabilities(data, true);
    }
    const QByteArray probe = QFile::encodeName(folder + u"/.probe"_s);
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
        skip = u"this user may create files in a folder without write permission"_s;
    }
}

NoCreateRights::~NoCreateRights()
{
    if (m_dropped) {
        __user_cap_data_struct data[2]{};
        capabilities(data, false);
        data[0].effective = m_effective;
        capabilities(data, true);
    }
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace lw::test
