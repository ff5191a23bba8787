#include "tests/pictures/test_servers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw::test {

namespace {

const QString User = u"lwtest"_s;

// Runs a command line to its end, its words split at each space; true when it succeeded.
bool run(const QString& commandLine, const QByteArray& input = {})
{
    QStringList words = commandLine.split(u' ');
    QProcess process;
    process.start(words.takeFirst(), words);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return QString::number(probe.serverPort());
}

} // namespace

TestServer::TestServer(ServerKind kind, int readLimit) : m_path(m_dir.path())
{
    authority = m_path + u"/ca.pem"_s;
    stranger = m_path + u"/stranger.pem"_s;
    account = {u"127.0.0.1"_s,
               u"seller"_s,
               u"pw-"_s + QString::number(QRandomGenerator::global()->generate64(), 36),
               u"/www/images"_s,
               {}};
    if (kind == ServerKind::Https) {
        folder = m_path + u"/root"_s;
        if (QDir().mkpath(folder) && makeCertificates())
            m_process.start(u"/usr/bin/python3"_s, {QStringLiteral(LW_TEST_HTTPS_SERVER), folder,
                                                    m_path + u"/server.pem"_s, m_path + u"/server.key"_s});
        if (m_process.waitForReadyRead(10000))
            account.server = u"127.0.0.1:"_s + QString::fromLatin1(m_process.readLine().trimmed());
        else
            error += u" The HTTPS server did not start."_s;
        return;
    }
    if (kind == ServerKind::Ftp) {
        folder = m_path + u"/root"_s + account.remoteFolder;
        QDir().mkpath(folder);
        m_process.start(u"/usr/bin/python3"_s, {QStringLiteral(LW_TEST_FTP_SERVER), m_path + u"/root"_s,
                                                account.userName, QString::number(readLimit)});
        m_process.write(account.password.toUtf8() + '\n');
        if (m_process.waitForReadyRead(10000))
            account.port = QString::fromLatin1(m_process.readLine().trimmed());
        else
            error = u"pyftpdlib did not start: "_s + QString::fromLocal8Bit(m_process.readAllStandardError());
        return;
    }
    if (::geteuid() != 0) {
        skip = u"vsftpd, sshd and the test user need root"_s;
        return;
    }
    if (!prepareUser())
        return;
    account.port = freePort();
    if (kind == ServerKind::Sftp) {
        account.server = u"sftp://127.0.0.1"_s;
        // sshd's privilege separation folder, made for this server only when missing.
        m_madeSshdFolder = !QFileInfo::exists(u"/run/sshd"_s) && QDir().mkpath(u"/run/sshd"_s);
        // Two spaces: an empty word, the key's empty passphrase.
        if (run(u"ssh-keygen -q -t ed25519 -N  -f %1/host_key"_s.arg(m_path)))
            launch(
                u"/usr/sbin/sshd -D -e -f /dev/null -h %1/host_key -p %2 -o ListenAddress=127.0.0.1 "
                u"-o PidFile=none -o AllowUsers=%3 -o Subsystem=sftp\tinternal-sftp -o ForceCommand=internal-sftp"_s
                    .arg(m_path, account.port, User));
        return;
    }
    account.server = u"ftps://127.0.0.1"_s;
    QFile(m_path + u"/vsftpd.conf"_s).open(QIODevice::WriteOnly);
    QDir().mkpath(m_path + u"/empty"_s);
    // Debian's vsftpd wants its options from a file it owns; an empty one, then all of them here. TLS
    // 1.3 clients do not resume the control channel's TLS session on the data channel.
    if (makeCertificates())
        launch(
            u"/usr/sbin/vsftpd %1/vsftpd.conf -olisten=YES -olisten_address=127.0.0.1 -olisten_port=%2 "
            u"-obackground=NO -oanonymous_enable=NO -olocal_enable=YES -owrite_enable=YES -ossl_enable=YES "
            u"-ossl_ciphers=HIGH -oforce_local_logins_ssl=YES -oforce_local_data_ssl=YES "
            u"-orequire_ssl_reuse=NO "
            u"-orsa_cert_file=%1/server.pem -orsa_private_key_file=%1/server.key "
            u"-osecure_chroot_dir=%1/empty "
            u"-opasv_min_port=%3 -opasv_max_port=%3 -oseccomp_sandbox=NO"_s.arg(m_path, account.port,
                                                                                freePort()));
}

bool TestServer::publish(const QString& path, const QByteArray& bytes) const
{
    QFile file(folder + u'/' + path);
    return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

bool TestServer::makeCertificates()
{
    const QString newKey =
        u"openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 "_s;
    const QString ca = newKey + u"-subj /CN=%1 -addext basicConstraints=critical,CA:TRUE "
                                u"-addext keyUsage=critical,keyCertSign -keyout %2/%1.key -out %2/%1.pem"_s;
    if (run(ca.arg(u"ca"_s, m_path)) && run(ca.arg(u"stranger"_s, m_path)) &&
        run(newKey +
            u"-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -addext basicConstraints=CA:FALSE "
            u"-CA %1/ca.pem -CAkey %1/ca.key -keyout %1/server.key -out %1/server.pem"_s.arg(m_path)))
        return true;
    error = u"openssl could not make the test certificates"_s;
    return false;
}

TestServer::~TestServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished(3000);
    if (m_userUnlocked)
        run(u"usermod --lock "_s + User);
    if (m_madeSshdFolder)
        QDir().rmdir(u"/run/sshd"_s);
}

bool TestServer::prepareUser()
{
    if (!run(u"id "_s + User) && !run(u"useradd --create-home --shell /bin/sh "_s + User))
        error = u"could not make the test user"_s;
    else if (!(m_userUnlocked = run(u"chpasswd"_s, (User + u':' + account.password + u'\n').toUtf8())))
        error = u"could not set the test user's password"_s;
    const passwd* entry = ::getpwnam("lwtest");
    if (!error.isEmpty() || !entry)
        return false;
    m_userFolder =
        std::make_unique<QTemporaryDir>(QString::fromLocal8Bit(entry->pw_dir) + u"/upload-test-XXXXXX"_s);
    account.userName = User;
    account.remoteFolder = u'/' + QDir(m_userFolder->path()).dirName() + account.remoteFolder;
    folder = QString::fromLocal8Bit(entry->pw_dir) + account.remoteFolder;
    QDir().mkpath(folder);
    return run(u"chown -R %1: %2"_s.arg(User, m_userFolder->path()));
}

void TestServer::launch(const QString& commandLine)
{
    QStringList words = commandLine.split(u' ');
    m_process.start(words.takeFirst(), words);
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(50)) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, account.port.toUShort());
        if (probe.waitForConnected(500))
            return;
        if (m_process.state() == QProcess::NotRunning)
            break;
    }
    error = commandLine + u" did not start: "_s + QString::fromLocal8Bit(m_process.readAllStandardError());
}

} // namespace lw::test
