#include "pictures/curl_upload.h"
#include "pictures/upload_plan.h"
#include "tests/pictures/test_servers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

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

// Drives CurlUpload against real servers, with a data folder (known hosts) of its own.
class Upload : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        qunsetenv("LISTWRIGHT_CA_FILE");
    }

    // Pictures of the given sizes; those from `firstInSub` on go to the sub-folder.
    UploadRequest request(const TestServer& server, const QList<qint64>& sizes, int firstInSub = -1)
    {
        UploadRequest r{server.account, true, {}};
        for (int k = 0; k < sizes.size(); ++k) {
            // Line ends and high bytes, which a text-mode transfer would change.
            const QByteArray bytes =
                QByteArray(QByteArray::number(k) + QByteArray("\r\n\0\xff", 4)).repeated(sizes[k]);
            QFile file(m_local.filePath(u"picture %1.jpg"_s.arg(k)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes.left(sizes[k])) == sizes[k]);
            r.items.append({k, file.fileName(),
                            firstInSub >= 0 && k >= firstInSub ? u"listwright"_s : QString(),
                            QDir(file.fileName()).dirName()});
        }
        return r;
    }

    // Runs an upload to its end, aborting it 300 ms into item `abortIn`: whether it went, its text,
    // the items started, each progress report, the milliseconds from abort to end.
    std::tuple<bool, QString, QList<int>, QList<QList<qint64>>, qint64> upload(const UploadRequest& r,
                                                                               int abortIn = -1)
    {
        CurlUpload upload;
        QList<int> started;
        QList<QList<qint64>> progress;
        QElapsedTimer sinceAbort;
        QObject::connect(&upload, &PictureUpload::itemStarted, [&](int index) {
            started.append(index);
            if (index == abortIn)
                QTimer::singleShot(300, &upload, [&] {
                    sinceAbort.start();
                    upload.abort();
                });
        });
        QObject::connect(&upload, &PictureUpload::progress, [&](qint64 a, qint64 b, qint64 c, qint64 d) {
            progress.append({a, b, c, d});
        });
        QSignalSpy finished(&upload, &PictureUpload::finished);
        upload.start(r);
        if (finished.isEmpty() && !finished.wait(20000))
            return {false, u"no end"_s, started, progress, -1};
        return {finished[0][0].toBool(), finished[0][2].toString(), started, progress,
                sinceAbort.isValid() ? sinceAbort.elapsed() : -1};
    }

    QTemporaryDir m_local;
    QTemporaryDir m_data;
};

struct Route
{
    const char* name;
    ServerKind kind;
    bool passive;
    friend std::ostream& operator<<(std::ostream& os, const Route& row) { return os << row.name; }
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
    UploadRequest r = request(server, {700'000, 1, 5'000}, 2);
    r.passive = GetParam().passive;

    const auto [ok, text, started, progress, afterAbort] = upload(r);

    EXPECT_TRUE(ok) << text.toStdString();
    EXPECT_EQ(started, (QList<int>{0, 1, 2}));
    for (const UploadItem& item : r.items) {
        const QString remote = server.folder + u'/' + item.subFolder + u'/' + item.remoteName;
        EXPECT_TRUE(readAll(remote) == readAll(item.localPath)) << remote.toStdString();
    }
    ASSERT_FALSE(progress.isEmpty());
    for (qsizetype k = 1; k < progress.size(); ++k)
        EXPECT_LE(progress[k - 1][2], progress[k][2]);
    EXPECT_EQ(progress.last(), (QList<qint64>{5'000, 5'000, 705'001, 705'001}));
    // An SFTP server met for the first time is remembered.
    const QByteArray knownHosts = readAll(m_data.filePath(u"listwright/known_hosts"_s));
    EXPECT_EQ(knownHosts.contains("127.0.0.1"), GetParam().kind == ServerKind::Sftp);
}

INSTANTIATE_TEST_SUITE_P(Servers, Delivery,
                         ::testing::Values(Route{"FtpPassive", ServerKind::Ftp, true},
                                           Route{"FtpActive", ServerKind::Ftp, false},
                                           Route{"FtpsTrustedAuthority", ServerKind::Ftps, true},
                                           Route{"Sftp", ServerKind::Sftp, true}),
                         rowName);

struct Refusal
{
    const char* name;
    ServerKind kind;
    // Spoils a request of two pictures, the second for the sub-folder; `data` holds known_hosts.
    void (*spoil)(UploadRequest& r, const TestServer& server, const QString& data);
    int number;
    const char* says;
    friend std::ostream& operator<<(std::ostream& os, const Refusal& row) { return os << row.name; }
};

class Refused : public Upload, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(Refused, SendsNothingAndSaysWhyWithoutThePassword)
{
    TestServer server(GetParam().kind);
    if (!server.skip.isEmpty())
        GTEST_SKIP() << server.skip.toStdString();
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    qputenv("LISTWRIGHT_CA_FILE", server.authority.toUtf8());
    UploadRequest r = request(server, {1'000, 1'000}, 1);
    GetParam().spoil(r, server, m_data.path());

    const auto [ok, text, started, progress, afterAbort] = upload(r);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.contains(u"Error # %1 - "_s.arg(GetParam().number))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1StringView(GetParam().says))) << text.toStdString();
    EXPECT_FALSE(text.contains(r.account.password) || text.contains(server.account.password));
    const QStringList arrived = QDir(server.folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_TRUE(arrived.isEmpty()) << arrived.join(u' ').toStdString();
}

void wrongPassword(UploadRequest& r, const TestServer&, const QString&)
{
    r.account.password += u"-wrong"_s;
}

// Only the sub-folder's picture: the remote folder is looked for, never made.
void missingFolder(UploadRequest& r, const TestServer&, const QString&)
{
    r.items.removeFirst();
    r.account.remoteFolder += u"/missing"_s;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Refused,
    ::testing::Values(Refusal{"WrongPassword", ServerKind::Ftp, wrongPassword, 67, "refused the login"},
                      Refusal{"MissingFolder", ServerKind::Ftp, missingFolder, 9, "was not found"},
                      Refusal{"MissingFile", ServerKind::Ftp,
                              [](UploadRequest& r, const TestServer&, const QString&) {
                                  QFile::remove(r.items[1].localPath);
                              },
                              26, "could not be read"},
                      Refusal{"NoServer", ServerKind::Ftp,
                              [](UploadRequest& r, const TestServer&, const QString&) {
                                  r.account.port = u"1"_s;
                              },
                              7, "Could not connect"},
                      Refusal{"UntrustedCertificate", ServerKind::Ftps,
                              [](UploadRequest&, const TestServer& server, const QString&) {
                                  qputenv("LISTWRIGHT_CA_FILE", server.stranger.toUtf8());
                              },
                              60, "certificate is not trusted"},
                      Refusal{"SftpWrongPassword", ServerKind::Sftp, wrongPassword, 67, "refused the login"},
                      Refusal{"SftpMissingFolder", ServerKind::Sftp, missingFolder, 78, "was not found"},
                      Refusal{"ChangedHostKey", ServerKind::Sftp,
                              [](UploadRequest&, const TestServer& server, const QString& data) {
                                  // An Ed25519 key, the type the server has, but not its key.
                                  const QByteArray key =
                                      QByteArray("\0\0\0\x0bssh-ed25519\0\0\0\x20", 19) + QByteArray(32, 'k');
                                  QDir(data).mkpath(u"listwright"_s);
                                  QFile hosts(data + u"/listwright/known_hosts"_s);
                                  EXPECT_TRUE(hosts.open(QIODevice::WriteOnly));
                                  hosts.write("[127.0.0.1]:" + server.account.port.toLatin1() +
                                              " ssh-ed25519 " + key.toBase64());
                              },
                              60, "host key"}),
    rowName);

TEST_F(Upload, AbortCutsTheSecondPictureAndSendsNoMore)
{
    // A slow server, so the second picture is still on its way when the seller aborts.
    TestServer server(ServerKind::Ftp, 1'000'000);
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    const UploadRequest r = request(server, {100'000, 3'000'000, 100'000});

    const auto [ok, text, started, progress, afterAbort] = upload(r, 1);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(text == uploadAbortedText());
    EXPECT_TRUE(afterAbort >= 0 && afterAbort < 1000) << afterAbort;
    const QString remote = server.folder + u'/';
    EXPECT_TRUE(readAll(remote + r.items[0].remoteName) == readAll(r.items[0].localPath));
    EXPECT_LT(QFileInfo(remote + r.items[1].remoteName).size(), 3'000'000);
    EXPECT_FALSE(QFile::exists(remote + r.items[2].remoteName));
}

} // namespace
} // namespace lw::test
