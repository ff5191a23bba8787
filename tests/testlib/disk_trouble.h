#pragma once

#include <QString>

namespace lw::test {

// A real file system of `bytes` mounted at `folder` (made when missing) while the object lives:
// mounting takes root, so elsewhere `skip` says why the test cannot run.
class SmallDisk
{
public:
    explicit SmallDisk(const QString& folder, int bytes = 64 * 1024);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Takes every free byte, as a disk that has filled up.
    void fill() const;

    QString skip;

private:
    QString m_folder;
    bool m_mounted = false;
};

// No new file can be made in `folder` while the object lives, though its files stay writable: the
// folder loses its write permission, and root, whom permissions do not stop, gives up that power
// for this thread. `skip` says why when a new file can still be made.
class NoCreateRights
{
public:
    explicit NoCreateRights(const QString& folder);
    ~NoCreateRights();
    NoCreateRights(const NoCreateRights&) = delete;
    NoCreateRights& operator=(const NoCreateRights&) = delete;

    QString skip;

private:
    QString m_folder;
    unsigned m_effective = 0;
    bool m_dropped = false;
};

} // namespace lw::test
