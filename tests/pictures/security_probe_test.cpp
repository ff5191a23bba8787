#include "pictures/security_probe.h"
#include "tests/pictures/test_servers.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

struct Host
{
    const char* name;
    // Ftp is pyftpdlib without TLS; none is a server that takes connections and says nothing.
    std::optional<ServerKind> kind;
    bool ftps, sftp;
};

class Probe : public ::testing::TestWithParam<Host>
{
};

// The probe asks on the server's port the question of its kind, and on a closed port the other.
TEST_P(Probe, TellsWhatTheHostOffersWithinItsTimeOut)
{
    const std::optional<ServerKind> kind = GetParam().kind;
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const quint16 closedPort = 1;
    std::unique_ptr<TestServer> server;
    quint16 port = silent.serverPort();
    if (kind) {
        server = std::make_unique<TestServer>(*kind);
        if (!server->skip.isEmpty())
            GTEST_SKIP() << server->skip.toStdString();
        ASSERT_TRUE(server->error.isEmpty()) << server->error.toStdString();
        port = server->account.port.toUShort();
    }
    SecurityProbe probe;
    probe.setTimeout(std::chrono::seconds(1));
    probe.setSshPort(kind == ServerKind::Sftp || !kind ? port : closedPort);
    QSignalSpy finished(&probe, &SecurityProbe::finished);
    QElapsedTimer clock;
    clock.start();

    probe.start(u"127.0.0.1"_s, kind == ServerKind::Sftp ? closedPort : port);

    ASSERT_TRUE(finished.wait(5000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(probe.isRunning());
    const auto offers = finished[0][2].value<SecureOffers>();
    EXPECT_EQ(std::pair(offers.ftps, offers.sftp), std::pair(GetParam().ftps, GetParam().sftp));
}

INSTANTIATE_TEST_SUITE_P(Hosts, Probe,
                         ::testing::Values(Host{"PlainFtp", ServerKind::Ftp, false, false},
                                           Host{"FtpOverTls", ServerKind::Ftps, true, false},
                                           Host{"Ssh", ServerKind::Sftp, false, true},
                                           Host{"Silent", std::nullopt, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lw::test
