#include "adfile/ad_file.h"
#include "app/password_keeper.h"
#include "app/program.h"
#include "core/models/shared_state.h"
#include "core/password_shift.h"
#include "core/scripted_desktop_services.h"
#include "core/text_file.h"
#include "settings/preferences_commands.h"
#include "settings/settings_file.h"
#include "submission/submission_settings.h"
#include "tests/pictures/test_servers.h"
#include "tests/testlib/test_install.h"

#include <QDirIterator>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Run by with_keyring.sh: every test has a real keyring of its own, gnome-keyring's Secret Service.
namespace lw::test {
namespace {

const QString Marker = u"Rd5k3hwy8"_s;

// The labels of the entries, as a keyring manager lists them.
QStringList keyringLabels()
{
    QProcess tool;
    tool.start(u"secret-tool"_s, {u"search"_s, u"--all"_s, u"xdg:schema"_s, u"org.qt.keychain"_s});
    tool.waitForFinished(10000);
    QStringList out;
    for (const QByteArray& line : tool.readAllStandardOutput().split('\n'))
        if (line.startsWith("label = "))
            out << QString::fromUtf8(line.mid(8));
    out.sort();
    return out;
}

// Locked as a screen lock leaves it; with no display nobody can unlock it.
bool lockKeyring()
{
    return QProcess::execute(u"dbus-send"_s,
                             {u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.secrets"_s,
                              u"/org/freedesktop/secrets"_s, u"org.freedesktop.Secret.Service.Lock"_s,
                              u"array:objpath:/org/freedesktop/secrets/collection/login"_s}) == 0;
}

class Keyring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("LW_TEST_KEYRING"))
            GTEST_SKIP() << "gnome-keyring is not installed";
    }
    // A start of the program as the window makes it: the keyring first, then the start-up.
    struct Run
    {
        explicit Run(DesktopServices& ds) : program(state, ds), keeper(state) {}
        SharedState state;
        Program program;
        PasswordKeeper keeper;
    };
    std::unique_ptr<Run> start()
    {
        auto run = std::make_unique<Run>(ds);
        QSignalSpy ready(&run->keeper, &PasswordKeeper::ready);
        run->keeper.start();
        EXPECT_TRUE(ready.wait(20000));
        run->program.startup({});
        settle(*run);
        return run;
    }
    // Every password on its way into the keyring has arrived there, or gone back to its line.
    static void settle(Run& run)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.keeper.isIdle(); }, 20000));
    }

    // Settings of an older version: FTP upload on, the password shifted into its line.
    void writeSettings(const Preferences::FtpAccount& ftp) const
    {
        SettingsValues settings = parseSettings({}, install.path()).values;
        PreferenceValues& p = settings.prefs;
        std::tie(p.ftpServer, p.ftpUserName, p.ftpPassword, p.ftpRemoteFolder, p.ftpPort) =
            std::tie(ftp.server, ftp.userName, ftp.password, ftp.remoteFolder, ftp.port);
        p.ftpAccess = true;
        p.webUrl = u"http://pics.example/"_s;
        install.writeLines(u"settings.txt"_s, settingsLines(settings, install.path()));
    }
    QString line(const QString& file, int n) const { return install.readLines(file).value(n - 1); }

    TestInstall install;
    ScriptedDesktopServices ds;
};

TEST_F(Keyring, TakesBothPasswordsSoThatNoFileKeepsThem)
{
    const QString ftp = u"Ftp-pass\u00e9 1"_s, auction = u"auction~Pass2"_s, changed = u"new ftp pass"_s;
    writeSettings({u"ftp.example"_s, u"seller"_s, ftp, {}, u"21"_s});
    install.writeLines(u"eBaycfg.txt"_s, {u"seller"_s, scramblePassword(auction, Marker), {}, u"True"_s});

    // The first start moves the shifted passwords into the keyring and empties their lines.
    auto run = start();
    EXPECT_EQ(line(u"settings.txt"_s, 16), QString());
    EXPECT_EQ(line(u"eBaycfg.txt"_s, 2), QString());
    EXPECT_EQ(keyringLabels(), (QStringList{u"Listwright FTP password"_s, u"Listwright eBay password"_s}));

    // The next reads them back; a changed password replaces its entry, a cleared one removes it.
    run = start();
    EXPECT_EQ(run->state.prefs.ftpAccount().password, ftp);
    EXPECT_EQ(run->state.submission.password, auction);
    run->state.prefs.setText(Preferences::Field::FtpPassword, changed);
    ASSERT_TRUE(saveSettings(run->state));
    run->state.submission.password.clear();
    save_eBayPrefs(run->state);
    // A new ad reads the settings again: the password is the keyring's, not the empty line's.
    run->program.new_file();
    EXPECT_EQ(run->state.prefs.ftpAccount().password, changed);
    settle(*run);
    run = start();
    EXPECT_EQ(run->state.prefs.ftpAccount().password, changed);
    EXPECT_EQ(run->state.submission.password, QString());
    EXPECT_EQ(keyringLabels(), QStringList{u"Listwright FTP password"_s});
    EXPECT_TRUE(ds.messages().isEmpty());

    // No file under the test's folders, the keyring's own included, holds a trace of them.
    QList<QByteArray> traces;
    for (const QString& s : {ftp, auction, changed})
        for (const QString& form : {s, scramblePassword(s, Marker).chopped(Marker.size())})
            traces << form.toUtf8() << encodeText(form);
    for (const QString& root :
         {install.path(), qEnvironmentVariable("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_DATA_HOME"),
          qEnvironmentVariable("LW_TEST_KEYRING")})
        for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            QFile file(it.next());
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            for (const QByteArray& trace : traces)
                EXPECT_FALSE(bytes.contains(trace)) << file.fileName().toStdString();
        }

    // A password the locked keyring cannot take goes back to its line.
    ASSERT_TRUE(lockKeyring());
    run->state.submission.password = u"typed while locked"_s;
    save_eBayPrefs(run->state);
    settle(*run);
    EXPECT_EQ(run->state.passwords.home(Secret::Auction), PasswordHome::File);
    EXPECT_EQ(line(u"eBaycfg.txt"_s, 2), scramblePassword(u"typed while locked"_s, Marker));
}

TEST_F(Keyring, GenerateTakesTheFtpPasswordFromItAndSaysWhyWhenItCannot)
{
    TestServer server(ServerKind::Ftp);
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    writeSettings(server.account);
    install.write(u"lamp.jpg"_s, "not really a JPEG");
    AdFileData ad;
    ad.pictures[0] = install.file(u"lamp.jpg"_s);
    install.writeLines(u"lamp.zad"_s, ad.toLines());
    const QStringList generate = {u"--generate"_s, u"--no-verify"_s, install.file(u"lamp.zad"_s)};

    // The first run moves the password into the keyring; the next finds it there.
    for (int run = 0; run < 2; ++run) {
        const ProgramRun r = runProgram(install, generate);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
    }
    EXPECT_EQ(line(u"settings.txt"_s, 16), QString());
    EXPECT_TRUE(QFileInfo::exists(server.folder + u"/lamp.jpg"_s));

    // A keyring out of reach, or locked with nobody to unlock it: why, and no page.
    const QString why =
        u"Error: FTP Password Unavailable: Listwright could not get your FTP password: the "_s;
    const QByteArray keyring = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", NoSessionBus);
    ProgramRun r = runProgram(install, generate);
    qputenv("DBUS_SESSION_BUS_ADDRESS", keyring);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(why + u"desktop keyring could not be reached ("_s)) << r.err.toStdString();
    ASSERT_TRUE(lockKeyring());
    r = runProgram(install, generate);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(why + u"desktop keyring is locked or holds no FTP password"_s))
        << r.err.toStdString();
}

} // namespace
} // namespace lw::test
