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

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

QStringList linesOf(const QByteArray& out)
{
    return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
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

// One ad's findings come without its name; with several ads each line names the ad's file.
TEST(AppCommandLine, ChecksThePagesGenerateWouldMakeAgainstTheSiteRules)
{
    TestInstall install;
    AdFileData d;
    d.ad.title = u"Brass [L][a][m][p] [S1]"_s; // the emoticon and letters come over HTTPS
    // The first template's table colours, as an ad saved after a first start holds them.
    const char16_t* tables[] = {u"16301711", u"10178048", u"16769465", u"16775660"};
    for (size_t i = 1; i <= 4; ++i)
        d.backgrounds[i].colorValue = QString::fromUtf16(tables[i - 1]);
    install.writeLines(u"clean.zad"_s, d.toLines());
    d.ad.effects[6] = true; // no right-click
    install.writeLines(u"script.zad"_s, d.toLines());
    d.ad.effects[6] = false;
    d.templateIndex = 4; // 05 shows one picture
    d.pictures = {u"https://p.example/1.jpg"_s, u"https://p.example/2.jpg"_s, u"https://p.example/3.jpg"_s};
    install.writeLines(u"three.zad"_s, d.toLines());
    const QString clean = install.file(u"clean.zad"_s), script = install.file(u"script.zad"_s),
                  three = install.file(u"three.zad"_s), missing = install.file(u"missing.zad"_s);

    ProgramRun r = runProgram(install, {u"--check"_s, clean});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(r.out),
        u"risky: outside-link: the footer: Links to other sites than eBay's may get the listing removed: "_s +
            Hosts().maker + u'\n');
    r = runProgram(install, {u"--check"_s, script});
    EXPECT_EQ(r.status, 1);
    QStringList lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(u"rejected: active-content: effect Disable Right-Click: "_s));
    for (const QString& line : lines)
        EXPECT_GE(line.split(u": "_s).size(), 4) << line.toStdString();
    r = runProgram(install, {u"--check"_s, u"--format"_s, u"json"_s, script});
    EXPECT_EQ(r.status, 1);
    const QJsonObject report = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(report[u"rejected"_s].toInt(), 1);
    EXPECT_EQ(report[u"risky"_s].toInt(), 1);
    const QJsonObject first = report[u"findings"_s].toArray().at(0).toObject();
    EXPECT_EQ(first[u"rule"_s].toString(), u"active-content");
    EXPECT_EQ(first[u"where"_s].toString(), u"effect Disable Right-Click");
    EXPECT_EQ(first[u"fix"_s].toString(), u"switch-off-effect");
    r = runProgram(install, {u"--check"_s, missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(runProgram(install, {u"--check"_s, u"--format"_s, u"xml"_s}).status, 2);

    r = runProgram(install, {u"--check"_s, clean, three});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    lines = linesOf(r.out);
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

// One ad's page goes to standard output; several ads each get a page in a folder, each told of.
TEST(AppCommandLine, GeneratesAndSaysWhatStopsAnAd)
{
    TestInstall install;
    AdFileData d;
    d.ad.title = u"Brass [L][a][m][p] [S1]"_s;
    d.ad.description = u"Line one\r\nLine two"_s;
    d.thumbWidth = u"400"_s; // the next ad's file leaves the width as it is
    install.writeLines(u"lamp.zad"_s, d.toLines());
    writeAd(install, u"old/lamp.zad"_s, u"Old lamp"_s, {}, u"https://p.example/old.jpg"_s);
    install.write(u"broken.zad"_s, "only\r\nthree\r\nlines\r\n");
    const QString lamp = install.file(u"lamp.zad"_s), oldLamp = install.file(u"old/lamp.zad"_s),
                  broken = install.file(u"broken.zad"_s), out = install.file(u"pages"_s);

    const ProgramRun generated = runProgram(install, {u"--generate"_s, lamp});
    ASSERT_EQ(generated.status, 0) << generated.err.toStdString();
    const QString page = QString::fromUtf8(generated.out);
    EXPECT_TRUE(
        page.contains(u"Brass <img src = \""_s + Hosts().makerPictureFolder() + u"L1.gif\" alt=\"L\">"_s));
    EXPECT_TRUE(page.contains(u"Line one<BR>Line two"_s));
    EXPECT_TRUE(generated.err.startsWith(u"Your Ad Has Been Generated!: Your ad has been copied"_s));
    ProgramRun r = runProgram(install, {u"--generate"_s, u"--preview"_s, lamp});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.out).contains(install.path() + u"/icons/emt/L1.gif"_s));
    r = runProgram(install, {u"--generate"_s, install.file(u"missing.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, u"Invalid Filename: You have entered an invalid filename.\n");
    r = runProgram(install, {u"--generate"_s, broken});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(u"Invalid Ad File: "_s)) << r.err.toStdString();
    EXPECT_EQ(runProgram(install, {u"--generate"_s, u"--bogus"_s}).status, 2);

    r = runProgram(install, {u"--generate"_s, u"--output-dir"_s, out, lamp, broken, oldLamp});
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
    EXPECT_EQ(install.read(u"pages/lamp.html"_s), generated.out);
    EXPECT_EQ(install.read(u"pages/lamp-2.html"_s), runProgram(install, {u"--generate"_s, oldLamp}).out);
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 2);
}

// Ads of the same name from different folders each get a page; no ad loses its own name.
TEST(AppCommandLine, EveryAdGetsAPageFileOfItsOwn)
{
    EXPECT_EQ(pageFileNames({u"a/lamp.zad"_s, u"b/lamp.zad"_s, u"lamp-2.ZAD"_s, u"c/Lamp.zad"_s,
                             u"notes.txt"_s, u"d/.zad"_s}),
              (QStringList{u"lamp.html"_s, u"lamp-3.html"_s, u"lamp-2.html"_s, u"Lamp-4.html"_s,
                           u"notes.txt.html"_s, u"ad.html"_s}));
}

TEST(AppCommandLine, UploadsThePicturesTheAdShowsAndSaysWhichIsOnItsWay)
{
    TestInstall install;
    TestServer server(ServerKind::Ftp);
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    SettingsValues settings = parseSettings({}, install.path()).values;
    PreferenceValues& p = settings.prefs;
    p.ftpAccess = p.showCalc = true; // the calculator shows a carrier logo
    const Preferences::FtpAccount& ftp = server.account;
    std::tie(p.ftpServer, p.ftpUserName, p.ftpPassword, p.ftpRemoteFolder, p.ftpPort) =
        std::tie(ftp.server, ftp.userName, ftp.password, ftp.remoteFolder, ftp.port);
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
