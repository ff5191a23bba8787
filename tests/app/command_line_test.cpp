#include "adfile/ad_file.h"
#include "app/command_line.h"
#include "core/hosts.h"
#include "settings/settings_file.h"
#include "tests/pictures/test_servers.h"
#include "tests/testlib/test_install.h"

#include <QDir>
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
        {{u"--no-verify"_s, u"--generate"_s, u"ad.zad"_s}, M::Generate, u"ad.zad"_s},
        {{u"--check"_s, u"--no-verify"_s}, M::UsageError, {}},
        {{u"--generate"_s, u"a.zad"_s, u"b.zad"_s}, M::UsageError, u"a.zad"_s},
        {QStringList{u"--frobnicate"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--format"_s, u"json"_s, u"ad.zad"_s}, M::Check, u"ad.zad"_s},
        {{u"--format=text"_s, u"--check"_s}, M::Check, {}},
        {{u"--check"_s, u"--format=xml"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--format"_s}, M::UsageError, {}},
        {{u"--format"_s, u"json"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--generate"_s}, M::UsageError, {}},
        {{u"--check"_s, u"--preview"_s}, M::UsageError, {}},
        {{u"--check"_s, u"a.zad"_s, u"b.zad"_s}, M::Check, u"a.zad"_s},
        {{u"--generate"_s, u"--output-dir"_s, u"out"_s, u"a.zad"_s, u"b.zad"_s}, M::Generate, u"a.zad"_s},
        {{u"--output-dir=out"_s, u"--generate"_s, u"--preview"_s, u"a.zad"_s}, M::Generate, u"a.zad"_s},
        {{u"--output-dir"_s, u"out"_s, u"a.zad"_s}, M::UsageError, u"a.zad"_s},
        {{u"--generate"_s, u"--output-dir"_s, u"out"_s}, M::UsageError, {}},
    };
    for (const auto& [arguments, mode, adFile] : cases) {
        const CommandLine c = parseCommandLine(arguments);
        EXPECT_EQ(c.mode, mode) << arguments.join(u' ').toStdString();
        EXPECT_EQ(c.adFile, adFile) << arguments.join(u' ').toStdString();
    }
    EXPECT_TRUE(parseCommandLine({u"--check"_s, u"--format"_s, u"json"_s}).json);
    EXPECT_FALSE(parseCommandLine({u"--check"_s, u"--format=text"_s}).json);
    EXPECT_FALSE(parseCommandLine({u"--generate"_s, u"--no-verify"_s}).verify);
}

TEST(AppCommandLine, ChecksThePageGenerateWouldMakeAgainstTheSiteRules)
{
    TestInstall install;
    AdFileData d;
    d.ad.title = u"Brass lamp"_s;
    // The first template's table colours, as an ad saved after a first start holds them.
    const char16_t* tables[] = {u"16301711", u"10178048", u"16769465", u"16775660"};
    for (size_t i = 1; i <= 4; ++i)
        d.backgrounds[i].colorValue = QString::fromUtf16(tables[i - 1]);
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
    EXPECT_TRUE(
        page.contains(u"Brass <img src = \""_s + Hosts().makerPictureFolder() + u"L1.gif\" alt=\"L\">"_s));
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

// Ads of the same name from different folders each get a page; no ad loses its own name.
TEST(AppCommandLine, EveryAdGetsAPageFileOfItsOwn)
{
    EXPECT_EQ(pageFileNames({u"a/lamp.zad"_s, u"b/lamp.zad"_s, u"lamp-2.ZAD"_s, u"c/Lamp.zad"_s,
                             u"notes.txt"_s, u"d/.zad"_s}),
              (QStringList{u"lamp.html"_s, u"lamp-3.html"_s, u"lamp-2.html"_s, u"Lamp-4.html"_s,
                           u"notes.txt.html"_s, u"ad.html"_s}));
}

TEST(AppCommandLine, GeneratesManyAdsIntoAFolderAndSaysHowEachWent)
{
    TestInstall install;
    AdFileData d;
    d.ad.title = u"Brass lamp [S1]"_s;
    d.thumbWidth = u"400"_s; // the next ad's file leaves the width as it is
    install.writeLines(u"lamp.zad"_s, d.toLines());
    writeAd(install, u"old/lamp.zad"_s, u"Old lamp"_s, {}, u"https://p.example/old.jpg"_s);
    install.write(u"broken.zad"_s, "only\r\nthree\r\nlines\r\n");
    const QString lamp = install.file(u"lamp.zad"_s), oldLamp = install.file(u"old/lamp.zad"_s),
                  broken = install.file(u"broken.zad"_s), out = install.file(u"pages"_s);
    const ProgramRun r =
        runProgram(install, {u"--generate"_s, u"--output-dir"_s, out, lamp, broken, oldLamp});
    EXPECT_EQ(r.status, 1);
    // Each ad's messages and its line, in order; the clipboard message is left out.
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6) << r.err.toStdString();
    EXPECT_EQ(lines[0], lamp + u": written to "_s + out + u"/lamp.html"_s);
    EXPECT_TRUE(lines[1].startsWith(broken + u": Invalid Ad File: "_s));
    EXPECT_TRUE(lines[2].startsWith(broken + u": The file has 3 lines"_s));
    EXPECT_EQ(lines[3], broken + u": not written: Invalid Ad File"_s);
    EXPECT_EQ(lines[4], oldLamp + u": written to "_s + out + u"/lamp-2.html"_s);
    EXPECT_EQ(lines[5], u"Listwright: 2 of 3 ads written to "_s + out);
    // Each page is the one the command for one ad writes: nothing of one ad carries over into the next.
    for (const auto& [page, ad] : {std::pair{u"pages/lamp.html"_s, lamp}, {u"pages/lamp-2.html"_s, oldLamp}})
        EXPECT_EQ(install.read(page), runProgram(install, {u"--generate"_s, ad}).out);
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 2);
}

TEST(AppCommandLine, ChecksSeveralAdsAndNamesTheFileOfEachFinding)
{
    TestInstall install;
    AdFileData d;
    d.ad.title = u"Brass [L][a][m][p] [S1]"_s; // the emoticon and letters come over HTTPS
    install.writeLines(u"clean.zad"_s, d.toLines());
    d.templateIndex = 4; // 05 shows one picture
    d.pictures = {u"https://p.example/1.jpg"_s, u"https://p.example/2.jpg"_s, u"https://p.example/3.jpg"_s};
    install.writeLines(u"three.zad"_s, d.toLines());
    const QString clean = install.file(u"clean.zad"_s), three = install.file(u"three.zad"_s),
                  missing = install.file(u"missing.zad"_s);

    ProgramRun r = runProgram(install, {u"--check"_s, clean, three});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    // The ads keep black tables, which draw contrast advice of no interest here.
    QStringList lines = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.contains(u": advice: contrast: "_s); });
    ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(clean + u": risky: outside-link: the footer: "_s));
    EXPECT_TRUE(lines[1].startsWith(three + u": risky: outside-link: "_s));
    EXPECT_EQ(lines[2], three +
                            u": advice: pictures-not-shown: the template: 3 pictures listed; template 05 "
                            u"shows 1; templates 01, 02, 03, 04, 07, 08, 11, 12, 14, 15, 16, 17, 18 and 19 "
                            u"show them all"_s);

    r = runProgram(install, {u"--check"_s, u"--format=json"_s, three, missing, clean});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(missing + u": Invalid Filename: "_s)) << r.err.toStdString();
    const QJsonArray reports = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(reports.size(), 3);
    EXPECT_EQ(reports[1].toObject()[u"error"_s].toString(), u"Invalid Filename");
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

    // The check of the web addresses says on standard error why the page was not made.
    ProgramRun r = runProgram(install, {u"--generate"_s, install.file(u"lamp.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"\nPictures Not Found On The Web: "_s)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"Image 1: http://pics.example/lamp.jpg\n"_s));
    EXPECT_TRUE(r.out.isEmpty());

    r = runProgram(install, {u"--generate"_s, u"--no-verify"_s, install.file(u"lamp.zad"_s)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(
        u"Preparing picture 1 of 1\nCurrently Uploading Image 1\nCurrently Uploading Emoticon"_s));
    EXPECT_TRUE(QFileInfo::exists(server.folder + u"/lamp.jpg"_s));
    EXPECT_TRUE(QFileInfo::exists(server.folder + u"/listwright/s_1.gif"_s));
    EXPECT_TRUE(r.out.contains("src=\"http://pics.example/lamp.jpg\""));
    EXPECT_TRUE(r.out.contains("<img src = \"http://pics.example/listwright/s_1.gif\" alt=\"smile\">"));
}
