#pragma once

#include "core/models/preferences.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace lw::test {

enum class ServerKind
{
    Ftp,
    Ftps,
    Sftp
};

// A real server on a free loopback port while the object lives. Plain FTP is pyftpdlib with a
// user of its own; FTPS (vsftpd, TLS required on both channels) and SFTP (sshd) log in the system
// user "lwtest", made once when missing, with a fresh password that is locked again afterwards.
class TestServer
{
public:
    // readLimit > 0 slows the plain FTP server's reading to that many bytes a second.
    explicit TestServer(ServerKind kind, int readLimit = 0);
    ~TestServer();

    // Why this server cannot run here (the test skips); empty when it may.
    QString skipReason() const { return m_skip; }
    // What went wrong starting it; empty when it runs.
    QString error() const { return m_error; }
    // An account whose remote folder, written with a leading "/", exists and is empty.
    Preferences::FtpAccount account() const { return m_account; }
    // Where that remote folder is on this computer.
    QString folder() const { return m_login + m_account.remoteFolder; }
    // The authority that signed the FTPS server's certificate, and one that did not.
    QString authority() const { return m_dir.filePath(QStringLiteral("ca.pem")); }
    QString stranger() const { return m_dir.filePath(QStringLiteral("stranger.pem")); }
    // A known-hosts line that gives this SFTP server a key it does not have.
    QByteArray wrongHostKeyLine();

private:
    void startFtp(int readLimit);
    bool prepareUser();
    bool makeCertificates();
    void startFtps();
    void startSftp();
    void launch(const QString& program, const QStringList& arguments);

    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_userFolder;
    QProcess m_process;
    Preferences::FtpAccount m_account;
    QString m_login;
    QString m_skip;
    QString m_error;
    bool m_userUnlocked = false;
    bool m_madeSshdFolder = false;
};

} // namespace lw::test
