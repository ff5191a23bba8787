#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

namespace lw::test {

// A desktop keyring of the test's own while the object lives: a session bus and gnome-keyring's
// Secret Service on it, with a login keyring made afresh and unlocked in a temporary folder. This
// process talks to it from then on, and so do the programs it starts. Nothing on it can show a
// prompt: the bus knows no display.
class TestKeyring
{
public:
    TestKeyring();
    ~TestKeyring();

    // What went wrong starting it; empty when it runs.
    QString error;
    // Where the keyring keeps its files.
    QString folder() const { return m_dir.path(); }

    // The labels of the login keyring's entries.
    QStringList labels() const;
    // Locks the login keyring, as a screen lock or the seller would.
    bool lock() const;

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_daemon;
    QString m_address;
};

// The address every test program uses unless it starts a keyring: a bus that is not there.
inline constexpr char NoSessionBus[] = "unix:path=/nonexistent/listwright-tests";

} // namespace lw::test
