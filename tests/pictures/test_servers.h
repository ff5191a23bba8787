#pragma once

#include "core/models/preferences.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace lw::test {

enum class ServerKind
{
    Ftp,
    Ftps,
    Sftp,
    Https
};

// A real server on a free loopback port while the object lives. HTTPS serves the files of
// `folder` (https_server.py tells how a file may be sent badly) at account.server, "127.0.0.1:port".
// Plain FTP is pyftpdlib with a user of its own; FTPS (vsftpd, TLS required on both channels) and SFTP (sshd)
// log in the system user "lwtest", made once when missing, with a fresh password that is locked again
// afterwards.
class TestServer
{
public:
    // readLimit > 0 slows the plain FTP server's reading to that many bytes a second; readLimit < 0
    // makes it fail every store after opening the file.
    explicit TestServer(ServerKind kind, int readLimit = 0);
    ~TestServer();

    // A file the HTTPS server serves, at a path below `folder`.
    bool publish(const QString& path, const QByteArray& bytes) const;

    // An account whose remote folder, written with a leading "/", exists and is empty.
    Preferences::FtpAccount account;
    // Where that remote folder is on this computer.
    QString folder;
    // The authority that signed the FTPS or HTTPS server's certificate, and one that did not.
    QString authority, stranger;
    // Why the server cannot run here (the test skips), and what went wrong starting it.
    QString skip, error;

private:
    bool makeCertificates();
    bool prepareUser();
    void launch(const QString& commandLine);

    QTemporaryDir m_dir;
    const QString m_path;
    std::unique_ptr<QTemporaryDir> m_userFolder;
    QProcess m_process;
    bool m_userUnlocked = false;
    bool m_madeSshdFolder = false;
};

} // namespace lw::test
