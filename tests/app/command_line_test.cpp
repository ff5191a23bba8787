#include "adfile/ad_file.h"
#include "app/command_line.h"
#include "core/hosts.h"
#include "settings/settings_file.h"
#include "tests/pictures/test_servers.h"
#include "tests/testlib/test_install.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

struct ProgramRun
{
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs the program as a seller's script would: its own installation folder, no display.
ProgramRun runProgram(const TestInstall& install, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LISTWRIGHT_HOME"_s, install.path());
    env.remove(u"QT_QPA_PLATFORM"_s);
    env.remove(u"DISPLAY"_s);
    process.setProcessEnvironment(env);
    process.start(programPath(), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

void writeAd(const TestInstall& install, const QString& name, const QString& title,
             const QString& pounds = {}, const QString& picture = {})
{
    AdFileData d;
    d.pictures[0] = picture;
    d.ad.title = title;
    d.ad.description = u"Line one\r\nLine two"_s;
    d.ad.pounds = d.ad.ounces = pounds;
    install.writeLines(name, d.toLines());
}

} // namespace

TEST(AppCommandLine, ParsesTheContract)
{
    using M = CommandLine::Mode;
    const std::vector<std::tuple<QStringList, M, QString>> cases = {
        {QStringList(), M::Window, {}},
        {{u"-platform"_s, u"offscreen"_s, u"-reverse"_s, u"ad.zad"_s}, M::Window, u"ad.zad"_s},
        {{u"--generate"_s, u"--preview"_s, u"ad.zad"_s}, M::Generate, u"ad.zad"_s},
        {{u"--generate"_s, u"--"_s, u"-odd.zad"_s}, M::Generate, u"-odd.zad"_s},
        {QStringList{u"--preview"_s}, M::UsageError, {}},
        {{u"--generate"_s, u"a.zad"_s, u"b.zad"_s}, M::UsageError, u"a.zad"_s},
        {QStringList{u"--frobnicate"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--format"_s, u"json"_s, u"ad.zad"_s}, M::Check, u"ad.zad"_s},
        {{u"--format=text"_s, u"--check"_s}, M::Check, {}},
        {{u"--check"_s, u"--format=xml"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--format"_s}, M::UsageError, {}},
        {{u"--format"_s, u"json"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--generate"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--preview"_s}, M::UsageError, {}},
    };
    for (const auto& [arguments, mode, adFile] : cases) {
        const CommandLine c = parseCommandLine(arguments);
        EXPECT_EQ(c.mode, mode) << arguments.join(u' ').toStdString();
        EXPECT_EQ(c.adFile, adFile) << arguments.join(u' ').toStdString();
    }
    EXPECT_TRUE(parseCommandLine({u"--check"_s, u"--format"_s, u"json"_s}).json);
    EXPECT_FALSE(parseCommandLine({u"--check"_s, u"--format=text"_s}).json);
}

TEST(AppCommandLine, ChecksThePageGenerateWouldMakeAgainstTheSiteRules)
{
    TestInstall install;
    AdFileData d;
    d.ad.title = u"Brass lamp"_s;
    install.writeLines(u"clean.zad"_s, d.toLines());
    d.ad.effects[6] = true; // no right-click
    install.writeLines(u"script.zad"_s, d.toLines());

    const ProgramRun clean = runProgram(install, {u"--check"_s, install.file(u"clean.zad"_s)});
    EXPECT_EQ(clean.status, 0) << clean.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(clean.out),
        u"risky: outside-link: the footer: Links to other sites than eBay's may get the listing removed: "_s +
            Hosts().maker + u'\n');

    const ProgramRun script = runProgram(install, {u"--check"_s, install.file(u"script.zad"_s)});
    EXPECT_EQ(script.status, 1);
    const QStringList lines = QString::fromUtf8(script.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << script.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(u"rejected: active-content: effect Disable Right-Click: "_s));
    for (const QString& line : lines)
        EXPECT_GE(line.split(u": "_s).size(), 4) << line.toStdString();

    const ProgramRun json =
        runProgram(install, {u"--check"_s, u"--format"_s, u"json"_s, install.file(u"script.zad"_s)});
    EXPECT_EQ(json.status, 1);
    const QJsonObject report = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(report[u"rejected"_s].toInt(), 1);
    EXPECT_EQ(report[u"risky"_s].toInt(), 1);
    const QJsonObject first = report[u"findings"_s].toArray().at(0).toObject();
    EXPECT_EQ(first[u"rule"_s].toString(), u"active-content");
    EXPECT_EQ(first[u"where"_s].toString(), u"effect Disable Right-Click");
    EXPECT_EQ(first[u"fix"_s].toString(), u"switch-off-effect");

    const ProgramRun missing = runProgram(install, {u"--check"_s, install.file(u"missing.zad"_s)});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(runProgram(install, {u"--check"_s, u"--format"_s, u"xml"_s}).status, 2);
}

TEST(AppCommandLine, GeneratesToStandardOutputAndSaysWhatStopsTheAd)
{
    TestInstall install;
    writeAd(install, u"lamp.zad"_s, u"Brass [L][a][m][p]"_s);
    const ProgramRun generated = runProgram(install, {u"--generate"_s, install.file(u"lamp.zad"_s)});
    ASSERT_EQ(generated.status, 0) << generated.err.toStdString();
    const QString page = QString::fromUtf8(generated.out);
    EXPECT_TRUE(page.contains(u"Brass <img src = \""_s + Hosts().makerPictureFolder() + u"L1.gif\">"_s));
    EXPECT_TRUE(page.contains(u"Line one<BR>Line two"_s));
    EXPECT_TRUE(generated.err.startsWith(u"Your Ad Has Been Generated!: Your ad has been copied"_s));
    const ProgramRun previewed =
        runProgram(install, {u"--generate"_s, u"--preview"_s, install.file(u"lamp.zad"_s)});
    EXPECT_EQ(previewed.status, 0);
    EXPECT_TRUE(previewed.err.isEmpty()) << previewed.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(previewed.out).contains(install.path() + u"/icons/emt/L1.gif"_s));

    ProgramRun r = runProgram(install, {u"--generate"_s, install.file(u"missing.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, u"Invalid Filename: You have entered an invalid filename.\n");
    install.write(u"broken.zad"_s, "only\r\nthree\r\nlines\r\n");
    r = runProgram(install, {u"--generate"_s, install.file(u"broken.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(u"Invalid Ad File: "_s)) << r.err.toStdString();
    EXPECT_EQ(runProgram(install, {u"--generate"_s, u"--bogus"_s}).status, 2);
}

TEST(AppCommandLine, UploadsThePicturesTheAdShowsAndSaysWhichIsOnItsWay)
{
    TestInstall install;
    TestServer server(ServerKind::Ftp);
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    SettingsValues settings = parseSettings({}, install.path()).values;
    PreferenceValues& p = settings.prefs;
    p.ftpAccess = p.showCalc = true; // the calculator shows a carrier logo
    p.ftpServer = server.account.server;
    p.ftpPort = server.account.port;
    p.ftpUserName = server.account.userName;
    p.ftpPassword = server.account.password;
    p.ftpRemoteFolder = server.account.remoteFolder;
    p.webUrl = u"http://pics.example/"_s;
    p.zipCode = u"12345"_s;
    install.writeLines(u"settings.txt"_s, settingsLines(settings, install.path()));
    install.write(u"lamp.jpg"_s, "not really a JPEG");
    install.write(u"icons/emt/s_1.gif"_s, "GIF89a");
    install.write(u"icons/usps.gif"_s, "GIF89a");
    writeAd(install, u"lamp.zad"_s, u"Lamp [S1]"_s, u"2"_s, install.file(u"lamp.jpg"_s));

    ProgramRun r = runProgram(install, {u"--generate"_s, install.file(u"lamp.zad"_s)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(u"Currently Uploading Image 1\nCurrently Uploading Emoticon"_s));
    EXPECT_TRUE(QFileInfo::exists(server.folder + u"/lamp.jpg"_s));
    EXPECT_TRUE(QFileInfo::exists(server.folder + u"/listwright/s_1.gif"_s));
    EXPECT_TRUE(r.out.contains("src=\"http://pics.example/lamp.jpg\""));
    EXPECT_TRUE(r.out.contains("<img src = \"http://pics.example/listwright/s_1.gif\">"));
}
