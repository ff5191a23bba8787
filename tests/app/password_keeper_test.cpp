#include "app/password_keeper.h"
#include "app/program.h"
#include "core/models/shared_state.h"
#include "core/password_shift.h"
#include "core/scripted_desktop_services.h"
#include "core/text_file.h"
#include "settings/preferences_commands.h"
#include "settings/settings_file.h"
#include "submission/submission_settings.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"
#include "tests/testlib/test_keyring.h"

#include <QDirIterator>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

using F = Preferences::Field;

const QString SettingsMarker = u"q83K2vbW7"_s;
const QString AccountMarker = u"Rd5k3hwy8"_s;

// The passwords in a real desktop keyring, and in their files without one.
class PasswordKeeperTest : public ::testing::Test
{
protected:
    // One start of the program as the window makes it: the keyring asked first, then the start-up.
    struct Run
    {
        explicit Run(DesktopServices& ds) : program(state, ds), keeper(state) {}
        SharedState state;
        Program program;
        PasswordKeeper keeper;
        PreferencesWindowState window;
    };

    std::unique_ptr<Run> start()
    {
        auto run = std::make_unique<Run>(ds);
        QSignalSpy ready(&run->keeper, &PasswordKeeper::ready);
        run->keeper.start();
        EXPECT_TRUE(ready.count() == 1 || ready.wait(20000));
        run->program.startup({});
        settle(*run);
        return run;
    }
    // Every password on its way into the keyring has arrived, or been given back to its line.
    static void settle(Run& run)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.keeper.isIdle(); }, 20000));
    }

    // Files of an older version: FTP upload on, both passwords shifted into their lines.
    void writeOldFiles(const QString& ftp, const QString& auction) const
    {
        SettingsValues settings = parseSettings({}, install.path()).values;
        PreferenceValues& p = settings.prefs;
        p.ftpAccess = true;
        p.ftpServer = u"ftp.example"_s;
        p.ftpUserName = u"seller"_s;
        p.ftpPassword = ftp;
        p.webUrl = u"http://pics.example/"_s;
        install.writeLines(u"settings.txt"_s, settingsLines(settings, install.path()));
        install.writeLines(u"eBaycfg.txt"_s, {u"seller"_s, scramblePassword(auction, AccountMarker),
                                              u"https://signin.ebay.com/"_s, u"True"_s});
    }
    QString ftpLine() const { return install.readLines(u"settings.txt"_s).value(15); }
    QString auctionLine() const { return install.readLines(u"eBaycfg.txt"_s).value(1); }

    TestInstall install;
    ScriptedDesktopServices ds;
};

// Every file under the folders the program and the keyring write to.
QStringList filesHolding(const QStringList& folders, const QStringList& secrets)
{
    QList<QByteArray> needles;
    for (const QString& s : secrets) {
        const QString shifted = scramblePassword(s, SettingsMarker).chopped(SettingsMarker.size());
        needles << s.toUtf8() << encodeText(s) << shifted.toUtf8() << encodeText(shifted);
    }
    QStringList found;
    for (const QString& folder : folders) {
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            for (const QByteArray& n : needles)
                if (bytes.contains(n))
                    found << file.fileName();
        }
    }
    return found;
}

TEST_F(PasswordKeeperTest, TheKeyringTakesBothPasswordsAndNoFileKeepsThem)
{
    TestKeyring keyring;
    ASSERT_TRUE(keyring.error.isEmpty()) << keyring.error.toStdString();
    const QString ftp = u"Ftp-pass\u00e9 1"_s, auction = u"auction~Pass2"_s, changed = u"new ftp pass"_s;
    writeOldFiles(ftp, auction);

    // The first start with a keyring moves the shifted passwords into it and empties their lines.
    auto run = start();
    EXPECT_EQ(run->state.passwords.home(Secret::Ftp), PasswordHome::Keyring);
    EXPECT_EQ(ftpLine(), QString());
    EXPECT_EQ(auctionLine(), QString());
    EXPECT_EQ(run->state.prefs.ftpAccount().password, ftp);
    EXPECT_EQ(run->state.submission.password, auction);
    EXPECT_EQ(keyring.labels(), (QStringList{u"Listwright FTP password"_s, u"Listwright eBay password"_s}));

    // The next start reads them back; a changed password replaces its entry, a cleared one removes it.
    run = start();
    EXPECT_EQ(run->state.prefs.ftpAccount().password, ftp);
    EXPECT_EQ(run->state.submission.password, auction);
    EXPECT_TRUE(ds.messages().isEmpty());
    run->state.prefs.setText(F::FtpPassword, changed);
    ASSERT_TRUE(cmdPrefOK_Click(run->state, run->window, ds));
    run->state.submission.password.clear();
    save_eBayPrefs(run->state);
    // A reset to a new ad reads the settings again: the password is the keyring's, not the empty line's.
    run->program.new_file();
    EXPECT_EQ(run->state.prefs.text(F::FtpPassword), changed);
    settle(*run);

    run = start();
    EXPECT_EQ(run->state.prefs.ftpAccount().password, changed);
    EXPECT_EQ(run->state.submission.password, QString());
    EXPECT_EQ(keyring.labels(), QStringList{u"Listwright FTP password"_s});
    EXPECT_EQ(ftpLine(), QString());
    EXPECT_EQ(auctionLine(), QString());
    run.reset();

    const QStringList folders = {install.path(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                                 qEnvironmentVariable("XDG_DATA_HOME"), keyring.folder()};
    EXPECT_EQ(filesHolding(folders, {ftp, auction, changed}), QStringList());
}

TEST_F(PasswordKeeperTest, APasswordTheKeyringRefusesGoesBackToItsLine)
{
    TestKeyring keyring;
    ASSERT_TRUE(keyring.error.isEmpty()) << keyring.error.toStdString();
    auto run = start();
    ASSERT_EQ(run->state.passwords.home(Secret::Auction), PasswordHome::Keyring);
    QSignalSpy moved(&run->state.passwords, &StoredPasswords::homeChanged);
    // Locked, with no display for its unlock prompt: the keyring cannot take the new password.
    ASSERT_TRUE(keyring.lock());
    run->state.submission.password = u"typed while locked"_s;
    save_eBayPrefs(run->state);
    settle(*run);
    EXPECT_EQ(run->state.passwords.home(Secret::Auction), PasswordHome::File);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(auctionLine(), scramblePassword(u"typed while locked"_s, AccountMarker));
}

TEST_F(PasswordKeeperTest, WithoutASessionBusThePasswordsStayInFilesForTheSellerAlone)
{
    auto run = start();
    EXPECT_EQ(run->state.passwords.home(Secret::Ftp), PasswordHome::File);
    EXPECT_EQ(run->state.passwords.home(Secret::Auction), PasswordHome::File);
    run->state.prefs.setText(F::FtpPassword, u"abc"_s);
    ASSERT_TRUE(cmdPrefOK_Click(run->state, run->window, ds));
    run->state.submission.password = u"abc"_s;
    save_eBayPrefs(run->state);
    EXPECT_TRUE(run->keeper.isIdle());
    EXPECT_EQ(ftpLine(), u"pqr"_s + SettingsMarker);
    EXPECT_EQ(auctionLine(), u"pqr"_s + AccountMarker);
    EXPECT_EQ(fileMode(install.file(u"settings.txt"_s)), 0600);
    EXPECT_EQ(fileMode(install.file(u"eBaycfg.txt"_s)), 0600);
}

} // namespace
} // namespace lw::test
