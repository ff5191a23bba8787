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

bool run(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

TestServer::TestServer(ServerKind kind, int readLimit)
{
    m_account.server = u"127.0.0.1"_s;
    m_account.password = u"pw-"_s + QString::number(QRandomGenerator::global()->generate64(), 36);
    if (kind == ServerKind::Ftp) {
        startFtp(readLimit);
        return;
    }
    if (::geteuid() != 0) {
        m_skip = u"vsftpd, sshd and the test user need root"_s;
        return;
    }
    if (!prepareUser())
        return;
    if (kind == ServerKind::Ftps)
        startFtps();
    else
        startSftp();
}

TestServer::~TestServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    if (m_userUnlocked)
        run(u"usermod"_s, {u"--lock"_s, User});
    if (m_madeSshdFolder)
        QDir().rmdir(u"/run/sshd"_s);
}

void TestServer::launch(const QString& program, const QStringList& arguments)
{
    m_process.start(program, arguments);
    const int port = m_account.port.toInt();
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(50)) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(port));
        if (probe.waitForConnected(500))
            return;
        if (m_process.state() == QProcess::NotRunning)
            break;
    }
    m_error = program + u" did not start: "_s + QString::fromLocal8Bit(m_process.readAllStandardError());
}

void TestServer::startFtp(int readLimit)
{
    m_login = m_dir.filePath(u"root"_s);
    m_account.userName = u"seller"_s;
    m_account.remoteFolder = u"/www/images"_s;
    QDir().mkpath(folder());
    QStringList arguments{QStringLiteral(LW_TEST_FTP_SERVER), m_login, m_account.userName};
    if (readLimit > 0)
        arguments << QString::number(readLimit);
    m_process.start(u"/usr/bin/python3"_s, arguments);
    m_process.write(m_account.password.toUtf8() + '\n');
    if (!m_process.waitForReadyRead(10000)) {
        m_error = u"pyftpdlib did not start: "_s + QString::fromLocal8Bit(m_process.readAllStandardError());
        return;
    }
    m_account.port = QString::fromLatin1(m_process.readLine().trimmed());
}

bool TestServer::prepareUser()
{
    if (!run(u"id"_s, {User}) && !run(u"useradd"_s, {u"--create-home"_s, u"--shell"_s, u"/bin/sh"_s, User})) {
        m_error = u"could not make the test user"_s;
        return false;
    }
    m_userUnlocked = run(u"chpasswd"_s, {}, (User + u':' + m_account.password + u'\n').toUtf8());
    const passwd* entry = ::getpwnam("lwtest");
    if (!m_userUnlocked || !entry) {
        m_error = u"could not set the test user's password"_s;
        return false;
    }
    m_login = QString::fromLocal8Bit(entry->pw_dir);
    m_userFolder = std::make_unique<QTemporaryDir>(m_login + u"/upload-test-XXXXXX"_s);
    m_account.userName = User;
    m_account.remoteFolder = u'/' + QDir(m_userFolder->path()).dirName() + u"/www/images"_s;
    QDir().mkpath(folder());
    return run(u"chown"_s, {u"-R"_s, User + u':', m_userFolder->path()});
}

bool TestServer::makeCertificates()
{
    const QString d = m_dir.path() + u'/';
    const QStringList key{u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, u"ec_paramgen_curve:prime256v1"_s,
                          u"-nodes"_s};
    for (const QString& name : {u"ca"_s, u"stranger"_s}) {
        if (!run(u"openssl"_s,
                 QStringList{u"req"_s, u"-x509"_s} + key +
                     QStringList{u"-keyout"_s, d + name + u".key"_s, u"-out"_s, d + name + u".pem"_s,
                                 u"-days"_s, u"2"_s, u"-subj"_s, u"/CN=Listwright test "_s + name,
                                 u"-addext"_s, u"basicConstraints=critical,CA:TRUE"_s, u"-addext"_s,
                                 u"keyUsage=critical,keyCertSign"_s}))
            return false;
    }
    return writeFile(d + u"server.ext"_s, "subjectAltName=IP:127.0.0.1\n") &&
           run(u"openssl"_s, QStringList{u"req"_s} + key +
                                 QStringList{u"-keyout"_s, d + u"server.key"_s, u"-out"_s,
                                             d + u"server.csr"_s, u"-subj"_s, u"/CN=127.0.0.1"_s}) &&
           run(u"openssl"_s, {u"x509"_s, u"-req"_s, u"-in"_s, d + u"server.csr"_s, u"-CA"_s, d + u"ca.pem"_s,
                              u"-CAkey"_s, d + u"ca.key"_s, u"-set_serial"_s, u"1"_s, u"-days"_s, u"2"_s,
                              u"-extfile"_s, d + u"server.ext"_s, u"-out"_s, d + u"server.pem"_s});
}

void TestServer::startFtps()
{
    if (!makeCertificates()) {
        m_error = u"openssl could not make the test certificates"_s;
        return;
    }
    m_account.server = u"ftps://127.0.0.1"_s;
    m_account.port = QString::number(freePort());
    const QString pasv = QString::number(freePort());
    const QString d = m_dir.path() + u'/';
    QDir().mkpath(d + u"empty"_s);
    const QStringList config{
        u"listen=YES"_s, u"listen_address=127.0.0.1"_s, u"listen_port="_s + m_account.port,
        u"background=NO"_s, u"anonymous_enable=NO"_s, u"local_enable=YES"_s, u"write_enable=YES"_s,
        u"local_umask=022"_s, u"ssl_enable=YES"_s, u"force_local_logins_ssl=YES"_s,
        u"force_local_data_ssl=YES"_s,
        // TLS 1.3 clients do not resume the control channel's session on the data channel.
        u"require_ssl_reuse=NO"_s, u"rsa_cert_file="_s + d + u"server.pem"_s,
        u"rsa_private_key_file="_s + d + u"server.key"_s, u"secure_chroot_dir="_s + d + u"empty"_s,
        u"pasv_min_port="_s + pasv, u"pasv_max_port="_s + pasv, u"seccomp_sandbox=NO"_s};
    writeFile(d + u"vsftpd.conf"_s, config.join(u'\n').toUtf8() + '\n');
    launch(u"/usr/sbin/vsftpd"_s, {d + u"vsftpd.conf"_s});
}

void TestServer::startSftp()
{
    const QString d = m_dir.path() + u'/';
    if (!run(u"ssh-keygen"_s, {u"-q"_s, u"-t"_s, u"ed25519"_s, u"-N"_s, u""_s, u"-f"_s, d + u"host_key"_s})) {
        m_error = u"ssh-keygen could not make a host key"_s;
        return;
    }
    // sshd's privilege separation folder; made only for this server when missing.
    m_madeSshdFolder = !QFileInfo::exists(u"/run/sshd"_s) && QDir().mkpath(u"/run/sshd"_s);
    const QStringList config{u"ListenAddress 127.0.0.1"_s,
                             u"HostKey "_s + d + u"host_key"_s,
                             u"PidFile none"_s,
                             u"UsePAM no"_s,
                             u"PasswordAuthentication yes"_s,
                             u"KbdInteractiveAuthentication no"_s,
                             u"PubkeyAuthentication no"_s,
                             u"AuthorizedKeysFile none"_s,
                             u"AllowUsers "_s + User,
                             u"Subsystem sftp internal-sftp"_s,
                             u"ForceCommand internal-sftp"_s,
                             u"LogLevel ERROR"_s};
    writeFile(d + u"sshd_config"_s, config.join(u'\n').toUtf8() + '\n');
    m_account.server = u"sftp://127.0.0.1"_s;
    m_account.port = QString::number(freePort());
    launch(u"/usr/sbin/sshd"_s, {u"-D"_s, u"-e"_s, u"-f"_s, d + u"sshd_config"_s, u"-p"_s, m_account.port});
}

QByteArray TestServer::wrongHostKeyLine()
{
    const QString key = m_dir.filePath(u"other_key"_s);
    run(u"ssh-keygen"_s, {u"-q"_s, u"-t"_s, u"ed25519"_s, u"-N"_s, u""_s, u"-f"_s, key});
    QFile pub(key + u".pub"_s);
    pub.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = pub.readAll().split(' ');
    return "[127.0.0.1]:" + m_account.port.toLatin1() + ' ' + fields.value(0) + ' ' + fields.value(1) + '\n';
}

} // namespace lw::test
