#include "pictures/curl_upload.h"
#include "pictures/upload_plan.h"
#include "tests/pictures/test_servers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Table rows are named by their `name`.
const auto rowName = [](const auto& info) { return std::string(info.param.name); };

// Drives CurlUpload against real servers, with a data folder (known hosts) of its own. Each test
// that meets an FTPS server names the authority it trusts.
class Upload : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("XDG_DATA_HOME", m_data.path().toUtf8()); }

    // Pictures of the given sizes; those from `firstInSub` on go to the sub-folder.
    UploadRequest request(const Preferences::FtpAccount& account, const QList<qint64>& sizes, int firstInSub,
                          bool passive = true)
    {
        UploadRequest r{account, passive, {}};
        for (int k = 0; k < sizes.size(); ++k) {
            // Line ends and high bytes, which a text-mode transfer would change.
            const QByteArray bytes =
                QByteArray(QByteArray::number(k) + QByteArray("\r\n\0\xff", 4)).repeated(sizes[k]);
            QFile file(m_local.filePath(u"picture %1.jpg"_s.arg(k)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes.left(sizes[k])) == sizes[k]);
            r.items.append({k, file.fileName(), k >= firstInSub ? u"listwright"_s : QString(),
                            QDir(file.fileName()).dirName()});
        }
        return r;
    }

    // Runs an upload to its end, aborting it 300 ms into item `abortIn`: whether it went, its text,
    // the items started, each progress report, the milliseconds from abort to end.
    std::tuple<bool, QString, QList<int>, QList<QVariantList>, qint64> upload(const UploadRequest& r,
                                                                              int abortIn = -1)
    {
        CurlUpload upload;
        upload.setTimeouts(m_connectTimeout, std::chrono::seconds(CurlUpload::StallTimeoutSeconds));
        QList<int> started;
        QElapsedTimer sinceAbort;
        QObject::connect(&upload, &PictureUpload::itemStarted, [&](int index) {
            started.append(index);
            if (index == abortIn)
                QTimer::singleShot(300, &upload, [&] {
                    sinceAbort.start();
                    upload.abort();
                });
        });
        QSignalSpy progress(&upload, &PictureUpload::progress), finished(&upload, &PictureUpload::finished);
        upload.start(r);
        EXPECT_TRUE(!finished.isEmpty() || finished.wait(20000)) << "no end";
        return {finished.value(0).value(0).toBool(), finished.value(0).value(2).toString(), started, progress,
                sinceAbort.isValid() ? sinceAbort.elapsed() : -1};
    }

    QTemporaryDir m_local, m_data;
    std::chrono::milliseconds m_connectTimeout = std::chrono::seconds(CurlUpload::ConnectTimeoutSeconds);
};

struct Route
{
    const char* name;
    ServerKind kind;
    bool passive;
};

class Delivery : public Upload, public ::testing::WithParamInterface<Route>
{
};

TEST_P(Delivery, SendsEveryPictureWholeInOrderAndMakesTheSubFolder)
{
    TestServer server(GetParam().kind);
    if (!server.skip.isEmpty())
        GTEST_SKIP() << server.skip.toStdString();
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    qputenv("LISTWRIGHT_CA_FILE", server.authority.toUtf8());
    const UploadRequest r = request(server.account, {700'000, 1, 5'000}, 2, GetParam().passive);

    const auto [ok, text, started, progress, afterAbort] = upload(r);

    EXPECT_TRUE(ok) << text.toStdString();
    EXPECT_EQ(started, (QList<int>{0, 1, 2}));
    for (const UploadItem& item : r.items) {
        const QString remote = server.folder + u'/' + item.subFolder + u'/' + item.remoteName;
        EXPECT_TRUE(readAll(remote) == readAll(item.localPath)) << remote.toStdString();
    }
    for (qsizetype k = 1; k < progress.size(); ++k)
        EXPECT_LE(progress[k - 1][2].toLongLong(), progress[k][2].toLongLong());
    EXPECT_EQ(progress.value(progress.size() - 1), (QVariantList{5'000LL, 5'000LL, 705'001LL, 705'001LL}));
    // An SFTP server met for the first time is remembered.
    const QByteArray knownHosts = readAll(m_data.filePath(u"listwright/known_hosts"_s));
    EXPECT_EQ(knownHosts.contains("127.0.0.1"), GetParam().kind == ServerKind::Sftp);
}

INSTANTIATE_TEST_SUITE_P(Servers, Delivery,
                         ::testing::Values(Route{"FtpPassive", ServerKind::Ftp, true},
                                           Route{"FtpActive", ServerKind::Ftp, false},
                                           Route{"FtpsTrustedAuthority", ServerKind::Ftps, true},
                                           // FTP over TLS goes passive whatever the setting says.
                                           Route{"FtpsPassiveOff", ServerKind::Ftps, false},
                                           Route{"Sftp", ServerKind::Sftp, true}),
                         rowName);

struct Refusal
{
    const char* name;
    ServerKind kind;
    // Spoils a request of two pictures, the second for the sub-folder.
    void (*spoil)(UploadRequest& r, const TestServer& server);
    int number;
    const char* says;
    // The plain FTP server's read limit (test_servers.h).
    int readLimit = 0;
};

class Refused : public Upload, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(Refused, SendsNothingAndSaysWhyWithoutThePassword)
{
    TestServer server(GetParam().kind, GetParam().readLimit);
    if (!server.skip.isEmpty())
        GTEST_SKIP() << server.skip.toStdString();
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    qputenv("LISTWRIGHT_CA_FILE", server.authority.toUtf8());
    UploadRequest r = request(server.account, {1'000, 1'000}, 1);
    GetParam().spoil(r, server);

    const auto [ok, text, started, progress, afterAbort] = upload(r);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.contains(u"Error # %1 - "_s.arg(GetParam().number))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1StringView(GetParam().says))) << text.toStdString();
    EXPECT_FALSE(text.contains(r.account.password) || text.contains(server.account.password));
    const QStringList arrived = QDir(server.folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_TRUE(arrived.isEmpty()) << arrived.join(u' ').toStdString();
}

void wrongPassword(UploadRequest& r, const TestServer&)
{
    r.account.password += u"-wrong"_s;
}

// Only the sub-folder's picture: the remote folder is looked for, never made.
void missingFolder(UploadRequest& r, const TestServer&)
{
    r.items.removeFirst();
    r.account.remoteFolder += u"/missing"_s;
}

void trustStranger(UploadRequest&, const TestServer& server)
{
    qputenv("LISTWRIGHT_CA_FILE", server.stranger.toUtf8());
}

// An Ed25519 key, the type the server has, but not its key, in the data folder's known hosts.
void changeHostKey(UploadRequest&, const TestServer& server)
{
    const QByteArray key = QByteArray("\0\0\0\x0bssh-ed25519\0\0\0\x20", 19) + QByteArray(32, 'k');
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + u"/listwright"_s;
    QFile hosts(folder + u"/known_hosts"_s);
    EXPECT_TRUE(QDir().mkpath(folder) && hosts.open(QIODevice::WriteOnly));
    hosts.write("[127.0.0.1]:" + server.account.port.toLatin1() + " ssh-ed25519 " + key.toBase64());
}

const Refusal Faults[] = {
    {"WrongPassword", ServerKind::Ftp, wrongPassword, 67, "refused the login"},
    {"MissingFolder", ServerKind::Ftp, missingFolder, 9, "was not found"},
    {"MissingFile", ServerKind::Ftp, [](auto& r, auto&) { r.items[1].localPath += u'x'; }, 26,
     "could not be read"},
    {"NoServer", ServerKind::Ftp, [](auto& r, auto&) { r.account.port = u"1"_s; }, 7, "Could not connect"},
    // The server fails the store after opening the file: the empty file goes again.
    {"FailedStore", ServerKind::Ftp, [](auto&, auto&) {}, 18, "broke while", -1},
    {"UntrustedCertificate", ServerKind::Ftps, trustStranger, 60, "certificate is not trusted"},
    {"SftpWrongPassword", ServerKind::Sftp, wrongPassword, 67, "refused the login"},
    {"SftpMissingFolder", ServerKind::Sftp, missingFolder, 78, "was not found"},
    {"ChangedHostKey", ServerKind::Sftp, changeHostKey, 60, "host key"}};
INSTANTIATE_TEST_SUITE_P(Faults, Refused, ::testing::ValuesIn(Faults), rowName);

struct Oddity
{
    const char* name;
    // What a server of the test's own sends on connecting, and after every line it receives.
    QByteArray greeting, reply;
    int number;
    const char* says;
};

class Odd : public Upload, public ::testing::WithParamInterface<Oddity>
{
};

// The server never closes a connection: the upload ends within the connect time-out all the same.
TEST_P(Odd, ServerThatIsNoFtpServerIsToldAsSuchWithinTheConnectTimeOut)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* client = server.nextPendingConnection();
        client->write(GetParam().greeting);
        QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
            for (; client->canReadLine(); client->readLine())
                client->write(GetParam().reply);
        });
    });
    m_connectTimeout = std::chrono::seconds(2);
    const Preferences::FtpAccount account{
        u"127.0.0.1"_s, u"seller"_s, u"pw"_s, {}, QString::number(server.serverPort())};
    QElapsedTimer clock;
    clock.start();

    const auto [ok, text, started, progress, afterAbort] = upload(request(account, {1'000}, 1));

    EXPECT_LT(clock.elapsed(), 3'000);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.contains(u"Error # %1 - "_s.arg(GetParam().number))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1StringView(GetParam().says))) << text.toStdString();
    EXPECT_FALSE(text.contains(u"being sent"_s) || text.contains(u"stalled"_s)) << text.toStdString();
}

const Oddity Oddities[] = {
    {"Silent", "", "", 28, "The FTP server did not answer"},
    {"GarbageGreeting", "Hello, friend\r\n", "", 8, "no FTP reply"},
    {"GarbageReplies", "220 Welcome\r\n", "What?\r\n", 8, "no FTP reply"},
    {"EndlessBanner", QByteArray("220-Welcome\r\n").repeated(10'000), "", 8, "no FTP reply"},
    {"LongLine", QByteArray(10'000'000, 'x'), "", 8, "no FTP reply"}};
INSTANTIATE_TEST_SUITE_P(Servers, Odd, ::testing::ValuesIn(Oddities), rowName);

TEST_F(Upload, AbortCutsTheSecondPictureAndSendsNoMore)
{
    // A slow server, so the second picture is still on its way when the seller aborts.
    TestServer server(ServerKind::Ftp, 1'000'000);
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    const UploadRequest r =
        request(server.account, {100'000, 3'000'000, 100'000}, 3); // none in the sub-folder

    const auto [ok, text, started, progress, afterAbort] = upload(r, 1);

    EXPECT_TRUE(!ok && text == uploadAbortedText()) << text.toStdString();
    EXPECT_TRUE(afterAbort >= 0 && afterAbort < 1000) << afterAbort;
    const QString remote = server.folder + u'/';
    EXPECT_TRUE(readAll(remote + r.items[0].remoteName) == readAll(r.items[0].localPath));
    EXPECT_LT(QFileInfo(remote + r.items[1].remoteName).size(), 3'000'000);
    EXPECT_FALSE(QFile::exists(remote + r.items[2].remoteName));
}

} // namespace
} // namespace lw::test
