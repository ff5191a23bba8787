#pragma once

#include "core/install_folder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace lw::test {

// A private copy of the installation folder for one test; the program is
// pointed at it and back again when the test ends.
class TestInstall
{
public:
    // withData false: an empty folder.
    explicit TestInstall(bool withData = true);
    ~TestInstall();

    // Installed: the copy stands for a read-only share/listwright and the seller's files go to
    // the test program's XDG folders, emptied again when the test ends.
    void setLayout(InstallLayout layout);

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + u'/' + relative; }
    void write(const QString& relative, const QByteArray& bytes) const;
    // Lines joined with CR LF, each ended by one.
    void writeLines(const QString& relative, const QStringList& lines) const;
    QByteArray read(const QString& relative) const;
    QStringList readLines(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    InstallLayout m_layout = InstallLayout::Portable;
};

// The built program, for tests that run it as a seller would.
QString programPath();

// What a run of the built program gave: its exit status, its output and what it said on stderr.
struct ProgramRun
{
    int status = -1;
    QByteArray out;
    QString err;
};
// Runs the built program to its end as a seller's script would: over `install`, without a display.
ProgramRun runProgram(const TestInstall& install, const QStringList& arguments);

// The session bus of every test program not run by with_keyring.sh: one that is not there.
inline constexpr char NoSessionBus[] = "unix:path=/nonexistent/listwright-tests";

} // namespace lw::test
