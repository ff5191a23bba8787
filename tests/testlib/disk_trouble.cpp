#include "tests/testlib/disk_trouble.h"

#include <QDir>
#include <QFile>

#include <linux/capability.h>
#include <optional>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {

constexpr unsigned FileOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

// Sets the thread's effective capabilities when told to; answers what they were.
unsigned effectiveCapabilities(std::optional<unsigned> effective = {})
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    ::syscall(SYS_capget, &header, data);
    const unsigned before = data[0].effective;
    if (effective) {
        data[0].effective = *effective;
        ::syscall(SYS_capset, &header, data);
    }
    return before;
}

} // namespace

SmallDisk::SmallDisk(const QString& folder, int bytes) : m_folder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options) != 0)
        skip = u"no small file system can be mounted without root"_s;
}

SmallDisk::~SmallDisk()
{
    if (skip.isEmpty())
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void SmallDisk::fill() const
{
    QFile filler(m_folder + u"/.filler"_s);
    if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        while (filler.write(QByteArray(512, 'f')) > 0) {
        }
}

NoCreateRights::NoCreateRights(const QString& folder) : m_folder(folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    m_effective = effectiveCapabilities();
    effectiveCapabilities(m_effective & ~FileOverrides);
    QFile probe(folder + u"/.probe"_s);
    if (probe.open(QIODevice::WriteOnly) && probe.remove())
        skip = u"this user may create files in a folder without write permission"_s;
}

NoCreateRights::~NoCreateRights()
{
    effectiveCapabilities(m_effective);
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace lw::test
