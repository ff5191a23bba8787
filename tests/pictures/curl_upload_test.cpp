#include "pictures/curl_upload.h"
#include "pictures/upload_plan.h"
#include "tests/pictures/test_servers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
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

// Drives CurlUpload against the real servers, with a data folder (known hosts) of its own.
class Upload : public ::testing::Test
{
protected:
    struct Result
    {
        bool ok = false;
        std::string text;
        QList<int> started;
        // Each progress report: item sent, item total, batch sent, batch total.
        QList<QList<qint64>> progress;
    };

    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        qunsetenv("LISTWRIGHT_CA_FILE");
    }

    // Pictures of random bytes, one per size, for the remote folder; those from `firstInSub` on
    // go to its sub-folder "listwright".
    UploadRequest request(const TestServer& server, const QList<qint64>& sizes, int firstInSub = -1)
    {
        UploadRequest r{server.account(), true, {}};
        for (int k = 0; k < sizes.size(); ++k) {
            const QString name = u"picture %1.jpg"_s.arg(k);
            QByteArray bytes(sizes[k] + 3, Qt::Uninitialized);
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
            bytes.truncate(sizes[k]);
            QFile file(m_local.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            r.items.append(
                {k, file.fileName(), k >= firstInSub && firstInSub >= 0 ? u"listwright"_s : QString(), name});
        }
        return r;
    }

    static Result upload(const UploadRequest& r)
    {
        CurlUpload upload;
        Result result;
        QObject::connect(&upload, &PictureUpload::itemStarted,
                         [&](int index) { result.started.append(index); });
        QObject::connect(&upload, &PictureUpload::progress, [&](qint64 a, qint64 b, qint64 c, qint64 d) {
            result.progress.append({a, b, c, d});
        });
        QSignalSpy finished(&upload, &PictureUpload::finished);
        upload.start(r);
        EXPECT_TRUE(!finished.isEmpty() || finished.wait(20000));
        if (!finished.isEmpty()) {
            result.ok = finished[0][0].toBool();
            result.text = finished[0][2].toString().toStdString();
        }
        return result;
    }

    QTemporaryDir m_local;
    QTemporaryDir m_data;
};

struct Route
{
    const char* name;
    ServerKind kind;
    bool passive;
};

void PrintTo(const Route& route, std::ostream* os)
{
    *os << route.name;
}

class Delivery : public Upload, public ::testing::WithParamInterface<Route>
{
};

TEST_P(Delivery, SendsEveryPictureWholeInOrderAndMakesTheSubFolder)
{
    TestServer server(GetParam().kind);
    if (!server.skipReason().isEmpty())
        GTEST_SKIP() << server.skipReason().toStdString();
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    qputenv("LISTWRIGHT_CA_FILE", server.authority().toUtf8());
    UploadRequest r = request(server, {700'000, 1, 5'000}, 2);
    r.passive = GetParam().passive;

    const Result result = upload(r);

    EXPECT_TRUE(result.ok) << result.text;
    EXPECT_EQ(result.started, (QList<int>{0, 1, 2}));
    for (const UploadItem& item : r.items) {
        const QString remote = server.folder() + u'/' + item.subFolder + u'/' + item.remoteName;
        EXPECT_TRUE(readAll(remote) == readAll(item.localPath)) << remote.toStdString();
    }
    ASSERT_FALSE(result.progress.isEmpty());
    for (qsizetype k = 1; k < result.progress.size(); ++k)
        EXPECT_LE(result.progress[k - 1][2], result.progress[k][2]);
    EXPECT_EQ(result.progress.last(), (QList<qint64>{5'000, 5'000, 705'001, 705'001}));
    // An SFTP server met for the first time is remembered.
    const QByteArray knownHosts = readAll(m_data.filePath(u"listwright/known_hosts"_s));
    EXPECT_EQ(knownHosts.contains("127.0.0.1"), GetParam().kind == ServerKind::Sftp)
        << knownHosts.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, Delivery,
                         ::testing::Values(Route{"FtpPassive", ServerKind::Ftp, true},
                                           Route{"FtpActive", ServerKind::Ftp, false},
                                           Route{"FtpsTrustedAuthority", ServerKind::Ftps, true},
                                           Route{"Sftp", ServerKind::Sftp, true}),
                         [](const auto& info) { return std::string(info.param.name); });

enum class Fault
{
    WrongPassword,
    MissingFolder,
    MissingFile,
    NoServer,
    StrangerAuthority,
    ChangedHostKey
};

struct Refusal
{
    const char* name;
    ServerKind kind;
    Fault fault;
    int number;
    const char* says;
};

void PrintTo(const Refusal& refusal, std::ostream* os)
{
    *os << refusal.name;
}

class Refused : public Upload, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(Refused, SendsNothingAndSaysWhyWithoutThePassword)
{
    const Refusal& c = GetParam();
    TestServer server(c.kind);
    if (!server.skipReason().isEmpty())
        GTEST_SKIP() << server.skipReason().toStdString();
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    qputenv("LISTWRIGHT_CA_FILE", server.authority().toUtf8());
    UploadRequest r = request(server, {1'000, 1'000}, 1);
    switch (c.fault) {
    case Fault::WrongPassword:
        r.account.password += u"-wrong"_s;
        break;
    case Fault::MissingFolder:
        // Only a sub-folder's picture: the remote folder is looked for, never made.
        r.items.removeFirst();
        r.account.remoteFolder += u"/missing"_s;
        break;
    case Fault::MissingFile:
        QFile::remove(r.items[1].localPath);
        break;
    case Fault::NoServer:
        r.account.port = u"1"_s;
        break;
    case Fault::StrangerAuthority:
        qputenv("LISTWRIGHT_CA_FILE", server.stranger().toUtf8());
        break;
    case Fault::ChangedHostKey:
        QDir().mkpath(m_data.filePath(u"listwright"_s));
        QFile hosts(m_data.filePath(u"listwright/known_hosts"_s));
        ASSERT_TRUE(hosts.open(QIODevice::WriteOnly) && hosts.write(server.wrongHostKeyLine()) > 0);
        break;
    }

    const Result result = upload(r);

    EXPECT_FALSE(result.ok);
    const QString text = QString::fromStdString(result.text);
    EXPECT_TRUE(text.contains(u"Error # %1 - "_s.arg(c.number))) << result.text;
    EXPECT_TRUE(text.contains(QLatin1StringView(c.says))) << result.text;
    EXPECT_FALSE(text.contains(r.account.password) || text.contains(server.account().password))
        << result.text;
    const QStringList arrived = QDir(server.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_TRUE(arrived.isEmpty()) << arrived.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Refused,
    ::testing::Values(
        Refusal{"WrongPassword", ServerKind::Ftp, Fault::WrongPassword, 67, "refused the login"},
        Refusal{"MissingFolder", ServerKind::Ftp, Fault::MissingFolder, 9, "was not found"},
        Refusal{"MissingFile", ServerKind::Ftp, Fault::MissingFile, 26, "could not be read"},
        Refusal{"NoServer", ServerKind::Ftp, Fault::NoServer, 7, "Could not connect"},
        Refusal{"UntrustedCertificate", ServerKind::Ftps, Fault::StrangerAuthority, 60,
                "certificate is not trusted"},
        Refusal{"SftpWrongPassword", ServerKind::Sftp, Fault::WrongPassword, 67, "refused the login"},
        Refusal{"SftpMissingFolder", ServerKind::Sftp, Fault::MissingFolder, 78, "was not found"},
        Refusal{"ChangedHostKey", ServerKind::Sftp, Fault::ChangedHostKey, 60, "host key"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Upload, AbortCutsTheSecondPictureAndSendsNoMore)
{
    // A slow server, so the second picture is still on its way when the seller aborts.
    TestServer server(ServerKind::Ftp, 1'000'000);
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    const UploadRequest r = request(server, {100'000, 3'000'000, 100'000});
    CurlUpload upload;
    QElapsedTimer sinceAbort;
    QObject::connect(&upload, &PictureUpload::itemStarted, [&](int index) {
        if (index == 1)
            QTimer::singleShot(300, [&] {
                sinceAbort.start();
                upload.abort();
            });
    });
    QSignalSpy finished(&upload, &PictureUpload::finished);
    upload.start(r);

    ASSERT_TRUE(finished.wait(20000));
    ASSERT_TRUE(sinceAbort.isValid());
    EXPECT_LT(sinceAbort.elapsed(), 1000);
    EXPECT_FALSE(finished[0][0].toBool());
    EXPECT_TRUE(finished[0][2].toString() == uploadAbortedText());
    const QString remote = server.folder() + u'/';
    EXPECT_TRUE(readAll(remote + r.items[0].remoteName) == readAll(r.items[0].localPath));
    EXPECT_FALSE(QFile::exists(remote + r.items[2].remoteName));
    EXPECT_LT(QFileInfo(remote + r.items[1].remoteName).size(), 3'000'000);
}

} // namespace
} // namespace lw::test
