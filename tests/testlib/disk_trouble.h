#pragma once

#include <QString>

namespace lw::test {

// A full disk: a small file system mounted at `folder` (made when missing) while the object lives,
// filled to the last byte by fill(). Mounting takes root: elsewhere `skip` says why it cannot be.
class SmallDisk
{
public:
    explicit SmallDisk(const QString& folder, int bytes = 64 * 1024);
    ~SmallDisk();
    void fill() const;
    QString skip;

private:
    QString m_folder;
};

// A folder that takes no new file while the object lives, though its files stay writable: it loses
// its write permission, and root gives up, for this thread, the power to ignore permissions.
class NoCreateRights
{
public:
    explicit NoCreateRights(const QString& folder);
    ~NoCreateRights();
    QString skip;

private:
    QString m_folder;
    unsigned m_effective = 0;
};

} // namespace lw::test
